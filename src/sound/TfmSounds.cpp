// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/TfmSounds.h"

#include "core/ProgramState.h"
#include "language/LanguagePhrases.h"
#include "sound/SoundLibraryWorkshop.h"
#include "sound/SoundStage.h"
#include "sound/SoundWorkshopTexts.h"
#include "sound/SoundsControls.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace {

// What libsndfile reads, by the endings people give such files.
const QString AudioPatterns = QStringLiteral(
    "*.wav *.wave *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff *.aifc *.au *.snd *.caf *.w64 "
    "*.rf64 *.voc");

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files << url.toLocalFile();
    return files;
}

} // namespace

TfmSounds::TfmSounds(ProgramState& state, const PlatformServices& platform, const ImageList& yellow,
                     SoundLibraryWorkshop& workshop, SoundStage& stage, FileChooser chooser,
                     Confirmation confirm)
    : SkinnedDialog("fmSounds", state,
                    requireService(platform.pointer, "The sounds window", "pointer"), yellow)
    , m_yellow(yellow)
    , m_chooser(std::move(chooser))
    , m_confirm(std::move(confirm))
    , m_form(workshop, state.InterfaceLanguage,
             [&stage](int special, int kind, int number, int effect) {
                 stage.preview(special, kind, number, effect);
             }) {
    setWindowTitle(phrase(Phrase::SoundsTitle, state.InterfaceLanguage));
    setAcceptDrops(true);
    if (!m_chooser)
        m_chooser = [](QWidget* parent, const QString& title, const QString& filter) {
            return QFileDialog::getOpenFileNames(parent, title, QString(), filter);
        };
    if (!m_confirm)
        m_confirm = [](QWidget* parent, const QString& text) {
            return QMessageBox::question(parent, QString(), text) == QMessageBox::Yes;
        };
    connect(&m_form, &SoundsForm::librariesShown, this, [this] {
        showLibraries();
        showSounds();
    });
    connect(&m_form, &SoundsForm::progressShown, this, &TfmSounds::showProgress);
    connect(&m_form, &SoundsForm::noteChanged, this, &TfmSounds::showNote);
}

TfmSounds::~TfmSounds() {
    closeIfOpen();
}

void TfmSounds::buildControls() {
    m_ui = std::make_unique<SoundsControls>(this);
    SkinParts::showEntry(m_ui->Img_Fon, m_yellow, YellowImage::DialogBackgroundTall);
    connectControls();
}

void TfmSounds::FormShow() {
    m_ui->Img_Fon->lower();
    // The language may have changed since the last opening, a library on disk too.
    writeTexts();
    m_form.refresh();
    showLibraries();
    showSounds();
    showProgress();
    showNote();
}

void TfmSounds::connectControls() {
    const SoundsControls& ui = *m_ui;
    connect(ui.List_Libraries, &QListWidget::currentRowChanged, this,
            [this](int row) { m_form.chooseLibrary(row); });
    connect(ui.Grid_Sounds, &QTableWidget::itemSelectionChanged, this, &TfmSounds::showSelection);
    connect(ui.Grid_Sounds, &QTableWidget::cellDoubleClicked, this,
            [this](int row) { m_form.play(row, m_ui->Combo_Effect->currentIndex()); });
    connect(ui.Sb_Play, &QPushButton::clicked, this,
            [this] { m_form.play(selectedSound(), m_ui->Combo_Effect->currentIndex()); });
    connect(ui.Sb_Add, &QPushButton::clicked, this, &TfmSounds::chooseFiles);
    connect(ui.Sb_Remove, &QPushButton::clicked, this, [this] { m_form.remove(selectedSound()); });
    const auto describe = [this] {
        m_form.describe(selectedSound(), m_ui->Edit_Description->text());
    };
    connect(ui.Sb_Apply, &QPushButton::clicked, this, describe);
    connect(ui.Edit_Description, &QLineEdit::returnPressed, this, describe);
    connect(ui.Sb_Back, &QPushButton::clicked, this, &TfmSounds::confirmBack);
    connect(ui.Sb_Cancel, &QPushButton::clicked, this, [this] { m_form.cancelImport(); });
}

void TfmSounds::writeTexts() {
    const Language language = state().InterfaceLanguage;
    const auto said = [language](Phrase which) {
        return phrase(which, language);
    };
    const SoundsControls& ui = *m_ui;
    setWindowTitle(said(Phrase::SoundsTitle));
    ui.Lbl_Title->setText(said(Phrase::SoundsTitle) + QStringLiteral(":"));
    ui.Grid_Sounds->setHorizontalHeaderLabels(
        {said(Phrase::SoundsNumber), said(Phrase::SoundsDescription), said(Phrase::SoundsLength),
         said(Phrase::SoundsLoudness)});
    const std::pair<QPushButton*, Phrase> buttons[] = {
        {ui.Sb_Play, Phrase::SoundsPlay},          {ui.Sb_Add, Phrase::SoundsAdd},
        {ui.Sb_Remove, Phrase::SoundsRemove},      {ui.Sb_Apply, Phrase::SoundsApply},
        {ui.Sb_Back, Phrase::SoundsBackToShipped}, {ui.Sb_Cancel, Phrase::SoundsCancel}};
    for (const auto& [button, which] : buttons)
        button->setText(said(which));
    ui.Cb_Trim->setText(said(Phrase::SoundsTrimSilence));
    const int effect = std::max(ui.Combo_Effect->currentIndex(), 0);
    ui.Combo_Effect->clear();
    ui.Combo_Effect->addItems(m_form.effectNames());
    ui.Combo_Effect->setCurrentIndex(effect);
}

void TfmSounds::showLibraries() {
    if (!m_ui)
        return;
    QListWidget* list = m_ui->List_Libraries;
    const QSignalBlocker quiet(list);
    const QStringList names = m_form.libraryNames();
    if (list->count() != names.size()) {
        list->clear();
        list->addItems(names);
    }
    // A long name is cut in its middle: the tip holds it whole.
    for (int row = 0; row < names.size(); ++row) {
        list->item(row)->setText(names[row]);
        list->item(row)->setToolTip(names[row]);
    }
    list->setCurrentRow(m_form.library());
}

void TfmSounds::showSounds() {
    if (!m_ui)
        return;
    QTableWidget* grid = m_ui->Grid_Sounds;
    const int kept = selectedSound();
    const std::vector<SoundsForm::Row> rows = m_form.rows();
    m_describedSound = -1;
    {
        const QSignalBlocker quiet(grid);
        grid->setRowCount(int(rows.size()));
        for (int row = 0; row < int(rows.size()); ++row) {
            const SoundsForm::Row& shown = rows[std::size_t(row)];
            const QString cells[] = {shown.number, shown.description, shown.length, shown.loudness};
            for (int column = 0; column < 4; ++column) {
                auto* item = new QTableWidgetItem(cells[column]);
                if (column != 1)
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                grid->setItem(row, column, item);
            }
        }
        if (kept >= 0 && kept < grid->rowCount())
            grid->selectRow(kept);
        else
            grid->clearSelection();
    }
    showSelection();
}

void TfmSounds::showSelection() {
    const int sound = selectedSound();
    const bool chosen = sound >= 0;
    const bool free = !m_form.busy();
    const SoundsControls& ui = *m_ui;
    ui.Sb_Play->setEnabled(chosen);
    ui.Sb_Remove->setEnabled(chosen && free);
    ui.Sb_Apply->setEnabled(chosen && free);
    ui.Edit_Description->setEnabled(chosen);
    ui.Sb_Add->setEnabled(!m_form.importing());
    ui.Sb_Back->setEnabled(m_form.ownLibrary() && free);
    if (sound == m_describedSound)
        return;
    m_describedSound = sound;
    const QTableWidgetItem* description = chosen ? ui.Grid_Sounds->item(sound, 1) : nullptr;
    ui.Edit_Description->setText(description ? description->text() : QString());
}

int TfmSounds::selectedSound() const {
    if (!m_ui)
        return -1;
    const QList<QTableWidgetSelectionRange> ranges = m_ui->Grid_Sounds->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

void TfmSounds::showProgress() {
    if (!m_ui)
        return;
    const bool importing = m_form.importing();
    m_ui->Progress_Import->setVisible(importing);
    m_ui->Sb_Cancel->setVisible(importing);
    m_ui->Progress_Import->setValue(m_form.progressPercent());
    m_ui->Progress_Import->setFormat(m_form.progressText() + QStringLiteral("  %p%"));
    showSelection();
}

void TfmSounds::showNote() {
    if (!m_ui)
        return;
    // Several refused files may not fit the line: the tip holds them all.
    m_ui->Lbl_Note->setText(m_form.note());
    m_ui->Lbl_Note->setToolTip(m_form.note());
}

void TfmSounds::addFiles(const QStringList& files) {
    ensureControls();
    m_form.add(files, m_ui->Cb_Trim->isChecked());
}

void TfmSounds::chooseFiles() {
    const Language language = state().InterfaceLanguage;
    const QString filter =
        QStringLiteral("%1 (%2)").arg(phrase(Phrase::SoundsAudioFiles, language), AudioPatterns);
    const QStringList files = m_chooser(this, phrase(Phrase::SoundsChooseFiles, language), filter);
    if (!files.isEmpty())
        addFiles(files);
}

void TfmSounds::confirmBack() {
    const Language language = state().InterfaceLanguage;
    const int library = m_form.library();
    const QString name = SoundWorkshopTexts::specialtyAndKind(
        SoundLibraryWorkshop::specialOf(library), SoundLibraryWorkshop::kindOf(library), language);
    if (m_confirm(this, phrase(Phrase::SoundsConfirmBack, language).arg(name)))
        m_form.backToShipped();
}

void TfmSounds::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfmSounds::dropEvent(QDropEvent* event) {
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    addFiles(files);
}
