// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class SoundLibraryWorkshop;

// What the sounds window does, without its widgets: which library is shown, its sounds as table
// rows, the changes asked of the workshop, the note of what they did and the import's progress.
class SoundsForm : public QObject {
    Q_OBJECT
public:
    // Plays sound `number` of a library with stereo effect `effect` (0..4).
    using Preview = std::function<void(int special, int kind, int number, int effect)>;

    struct Row {
        QString number;
        QString description;
        QString length;
        QString loudness;
        bool operator==(const Row&) const = default;
    };

    // `workshop` and `language` must outlive the form; `language` is read at each text.
    SoundsForm(SoundLibraryWorkshop& workshop, const Language& language, Preview preview);

    // The twelve libraries' names, each marked shipped or own.
    QStringList libraryNames() const;
    QStringList effectNames() const;
    // Reads the libraries anew: a file may have changed since the window was last open.
    void refresh();
    int library() const { return m_library; }
    void chooseLibrary(int index);
    // The chosen library's sounds; empty while it is read.
    std::vector<Row> rows() const;
    // The chosen library's own file is there to delete.
    bool ownLibrary() const;

    void play(int number, int effect);
    void add(const QStringList& files, bool trimSilence);
    void remove(int number);
    void describe(int number, const QString& text);
    void backToShipped();
    void cancelImport();

    bool importing() const;
    bool busy() const;
    // "Importing file 2 of 3: …" and 0..100 while importing.
    QString progressText() const { return m_progressText; }
    int progressPercent() const { return m_progressPercent; }
    // What the last change did or why it was refused, one line each.
    const QString& note() const { return m_note; }

signals:
    // The libraries' names or the chosen one's rows may have changed.
    void librariesShown();
    void progressShown();
    void noteChanged(const QString& note);

private:
    void setNote(const QString& note);
    // An answer of the workshop: a refusal becomes the note, a start clears it.
    void started(const QString& refusal);

    SoundLibraryWorkshop& m_workshop;
    const Language& m_language;
    Preview m_preview;
    int m_library = 0;
    QStringList m_importFiles;
    QString m_progressText;
    int m_progressPercent = 0;
    QString m_note;
};
