// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Language.h"
#include "sound/SoundLibraryListing.h"
#include "sound/SoundLibraryPlaces.h"

#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <array>
#include <atomic>
#include <functional>
#include <memory>

// Changes the user's own sound libraries: imports recordings into them, removes sounds, edits
// descriptions and deletes an own library so the shipped one plays again. Every file is read,
// decoded and written on a thread of its own, one job after another; the results come back to
// the thread that made the workshop, which never waits on a file. One change at a time: a second
// is refused with the user's message rather than queued behind a long import.
class SoundLibraryWorkshop : public QObject {
    Q_OBJECT
public:
    static constexpr int libraryCount = SoundLibraryPlaces::libraryCount;

    // `language` is read at each message and must outlive the workshop.
    SoundLibraryWorkshop(SoundLibraryPlaces places, const Language& language);
    // Cancels an import and waits for the job under way: a half-written own library would
    // replace the shipped one at the next start.
    ~SoundLibraryWorkshop() override;
    SoundLibraryWorkshop(const SoundLibraryWorkshop&) = delete;
    SoundLibraryWorkshop& operator=(const SoundLibraryWorkshop&) = delete;

    static int libraryIndex(int special, int kind) { return 2 * special + (kind != 0 ? 1 : 0); }
    static int specialOf(int index) { return index / 2; }
    static int kindOf(int index) { return index % 2; }

    const SoundLibraryPlaces& places() const { return m_places; }
    // As last read; `read` is false before the first reading came back.
    const SoundLibraryListing& library(int index) const;

    // Reads every library anew; libraryRead reports each.
    void refresh();

    bool busy() const { return m_busy; }
    bool importing() const { return m_importing; }

    // Each call returns at once: empty when the job started, otherwise why not. Each started job
    // ends with libraryRead and then workDone.
    // Adds the recordings in `files` to library `index`, written once when all are done.
    QString importFiles(int index, const QStringList& files, bool trimSilence);
    // The import stops at its next block and writes nothing.
    void cancelImport();
    QString removeSound(int index, int number);
    QString setDescription(int index, int number, const QString& text);
    // Deletes the own library: the shipped one plays again.
    QString backToShipped(int index);

signals:
    void libraryRead(int index);
    // File `file` (from 1) of `files` is `fraction` (0..1) done.
    void importProgress(int file, int files, double fraction);
    // A change ended; `messages` say what failed and what was done, in the interface language.
    void workDone(const QStringList& messages);
    // An own library was written or deleted; `soundCount` is what plays now.
    void libraryChanged(int special, int kind, int soundCount);

private:
    struct Done {
        int index = 0;
        SoundLibraryListing listing;
        QStringList messages;
        int changedCount = -1; // the sounds playing now, when a file changed
    };
    using Job = std::function<Done()>;

    QString refusal() const;
    void start(Job job, bool import);
    void finish(const Done& done);
    void readOne(int index);
    // A change of library `index` in memory, written when it succeeds.
    QString change(int index, std::function<SoundLibraryEdit::Outcome(SoundLibraryEdit&)> edit,
                   QString doneMessage);

    SoundLibraryPlaces m_places;
    const Language& m_language;
    std::array<SoundLibraryListing, libraryCount> m_libraries;
    bool m_busy = false;
    bool m_importing = false;
    // Shared with the job, which may still test it while the workshop waits for it to end.
    std::shared_ptr<std::atomic<bool>> m_cancel = std::make_shared<std::atomic<bool>>(false);
    // Declared last: its destructor waits for a job still under way.
    QThreadPool m_pool;
};
