// SPDX-License-Identifier: GPL-3.0-or-later
#include "schedule/TfmSchedule.h"

#include "core/ProgramState.h"
#include "schedule/ScheduleControls.h"
#include "schedule/SchedulePlanEditor.h"
#include "schedule/ScheduleWords.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/ImageEntries.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimeEdit>

using ScheduleWords::Word;

namespace {

// Rows kept in step with `lines`; the chosen row stays chosen while it exists.
void showLines(QListWidget* list, const QStringList& lines) {
    const QSignalBlocker quiet(list);
    const int kept = list->currentRow();
    while (list->count() > lines.size())
        delete list->takeItem(list->count() - 1);
    while (list->count() < lines.size())
        list->addItem(QString());
    for (int row = 0; row < lines.size(); ++row) {
        list->item(row)->setText(lines[row]);
        list->item(row)->setToolTip(lines[row]);
    }
    list->setCurrentRow(std::min(kept, int(lines.size()) - 1));
}

void setItems(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker quiet(combo);
    const int kept = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(kept);
}

} // namespace

TfmSchedule::TfmSchedule(ProgramState& state, const PlatformServices& platform,
                         const ImageList& yellow, ScheduleForm::Current current,
                         ScheduleForm::Apply apply, QTimeZone zone)
    : SkinnedDialog("fmSchedule", state,
                    requireService(platform.pointer, "The schedule window", "pointer"), yellow)
    , m_yellow(yellow)
    , m_form(state.InterfaceLanguage,
             requireService(platform.clock, "The schedule window", "clock"), std::move(zone),
             std::move(current), std::move(apply)) {
    setWindowTitle(ScheduleWords::word(Word::Title, state.InterfaceLanguage));
    connect(&m_form, &ScheduleForm::changed, this, &TfmSchedule::showForm);
}

TfmSchedule::~TfmSchedule() {
    closeIfOpen();
}

void TfmSchedule::buildControls() {
    m_ui = std::make_unique<ScheduleControls>(this);
    SkinParts::showEntry(m_ui->Img_Fon, m_yellow, YellowImage::DialogBackgroundTall);
    connectControls();
}

void TfmSchedule::FormShow() {
    m_ui->Img_Fon->lower();
    // The language may have changed since the last opening, the settings too.
    writeTexts();
    m_form.reload();
    m_ui->List_Plans->setCurrentRow(m_form.plans().isEmpty() ? -1 : 0);
    m_ui->List_Quiet->setCurrentRow(m_form.quiet().isEmpty() ? -1 : 0);
    showPlan();
    showQuiet();
}

void TfmSchedule::connectControls() {
    const ScheduleControls& ui = *m_ui;
    connect(ui.Cb_Enabled, &QCheckBox::toggled, this, [this](bool on) { m_form.setEnabled(on); });
    connect(ui.List_Plans, &QListWidget::currentRowChanged, this, &TfmSchedule::showPlan);
    connect(ui.Sb_AddPlan, &QPushButton::clicked, this, [this] {
        const int plan = m_form.addPlan();
        m_ui->List_Plans->setCurrentRow(plan);
    });
    connect(ui.Sb_RemovePlan, &QPushButton::clicked, this, [this] {
        m_form.removePlan(selectedPlan());
        showPlan();
    });
    // The other way of choosing days is then greyed out.
    connect(ui.Rb_Dates, &QRadioButton::toggled, this, [this] {
        editPlan();
        showPlan();
    });
    for (QCheckBox* box : ui.Cb_Day)
        connect(box, &QCheckBox::toggled, this, &TfmSchedule::editPlan);
    for (QCheckBox* box : {ui.Cb_FinalSound, ui.Cb_OpenDoor})
        connect(box, &QCheckBox::toggled, this, &TfmSchedule::editPlan);
    for (QDateEdit* date : {ui.Date_From, ui.Date_To})
        connect(date, &QDateEdit::dateChanged, this, &TfmSchedule::editPlan);
    for (QTimeEdit* time : {ui.Time_Start, ui.Time_End})
        connect(time, &QTimeEdit::timeChanged, this, &TfmSchedule::editPlan);
    for (QSpinBox* spin : {ui.Spin_StartOffset, ui.Spin_EndMinutes})
        connect(spin, &QSpinBox::valueChanged, this, &TfmSchedule::editPlan);
    for (QComboBox* combo : {ui.Combo_Start, ui.Combo_End})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            editPlan();
            // The other kind shows its own field, with its own range.
            showPlan();
        });

    connect(ui.List_Quiet, &QListWidget::currentRowChanged, this, &TfmSchedule::showQuiet);
    connect(ui.Sb_AddQuiet, &QPushButton::clicked, this, [this] {
        const int quiet = m_form.addQuiet();
        m_ui->List_Quiet->setCurrentRow(quiet);
    });
    connect(ui.Sb_RemoveQuiet, &QPushButton::clicked, this, [this] {
        m_form.removeQuiet(selectedQuiet());
        showQuiet();
    });
    for (QTimeEdit* time : {ui.Time_QuietFrom, ui.Time_QuietTo})
        connect(time, &QTimeEdit::timeChanged, this, &TfmSchedule::editQuiet);

    connect(ui.Combo_City, &QComboBox::activated, this, [this](int index) {
        m_form.chooseCity(index);
        // "Other place" is typed, not chosen: the picker goes back to what is typed.
        showForm();
    });
    for (QLineEdit* edit : {ui.Edit_Latitude, ui.Edit_Longitude})
        connect(edit, &QLineEdit::textEdited, this, [this] {
            m_form.typeCoordinates(m_ui->Edit_Latitude->text(), m_ui->Edit_Longitude->text());
        });
    connect(ui.Sb_Apply, &QPushButton::clicked, this, [this] { m_form.apply(); });
    connect(ui.Sb_Ok, &QPushButton::clicked, this, &TfmSchedule::okClicked);
}

void TfmSchedule::writeTexts() {
    const Language language = state().InterfaceLanguage;
    const auto said = [language](Word which) {
        return ScheduleWords::word(which, language);
    };
    const ScheduleControls& ui = *m_ui;
    setWindowTitle(said(Word::Title));
    ui.Lbl_Title->setText(said(Word::Title) + QStringLiteral(":"));
    const std::pair<QAbstractButton*, Word> buttons[] = {
        {ui.Cb_Enabled, Word::Enabled},    {ui.Sb_AddPlan, Word::Add},
        {ui.Sb_RemovePlan, Word::Remove},  {ui.Rb_Weekdays, Word::Weekdays},
        {ui.Rb_Dates, Word::Dates},        {ui.Cb_FinalSound, Word::FinalSound},
        {ui.Cb_OpenDoor, Word::OpenDoor},  {ui.Sb_AddQuiet, Word::Add},
        {ui.Sb_RemoveQuiet, Word::Remove}, {ui.Sb_Ok, Word::Ok},
        {ui.Sb_Apply, Word::Apply}};
    for (const auto& [button, which] : buttons)
        button->setText(said(which));
    const std::pair<QLabel*, Word> captions[] = {
        {ui.Lbl_Plans, Word::Plans},       {ui.Lbl_DateTo, Word::To},
        {ui.Lbl_Start, Word::Start},       {ui.Lbl_End, Word::End},
        {ui.Lbl_Quiet, Word::Quiet},       {ui.Lbl_City, Word::City},
        {ui.Lbl_Latitude, Word::Latitude}, {ui.Lbl_Longitude, Word::Longitude},
        {ui.Lbl_Week, Word::Week}};
    for (const auto& [label, which] : captions)
        SkinParts::setCaption(label, said(which));
    const QLocale locale =
        language == Language::Russian ? QLocale(QLocale::Russian) : QLocale(QLocale::English);
    for (int day = 0; day < 7; ++day)
        ui.Cb_Day[std::size_t(day)]->setText(locale.dayName(day + 1, QLocale::ShortFormat));
    for (QDateEdit* date : {ui.Date_From, ui.Date_To})
        date->setLocale(locale);
    setItems(ui.Combo_Start, {said(Word::AtTime), said(Word::Sunset), said(Word::Dusk)});
    setItems(ui.Combo_End, {said(Word::AtTime), said(Word::Sunrise), said(Word::Duration)});
    ui.Spin_StartOffset->setSuffix(said(Word::Minutes));
    ui.Spin_EndMinutes->setSuffix(said(Word::Minutes));
    setItems(ui.Combo_City, m_form.cityNames() << said(Word::OtherPlace));
}

void TfmSchedule::showForm() {
    if (!m_ui)
        return;
    const ScheduleControls& ui = *m_ui;
    {
        const QSignalBlocker quiet(ui.Cb_Enabled);
        ui.Cb_Enabled->setChecked(m_form.enabled());
    }
    showLines(ui.List_Plans, m_form.planLines());
    showLines(ui.List_Quiet, m_form.quietLines());
    const int city = m_form.city();
    ui.Combo_City->setCurrentIndex(city < 0 ? ui.Combo_City->count() - 1 : city);
    // Only what the form changed itself: rewriting a field being typed would move its cursor.
    if (ui.Edit_Latitude->text() != m_form.latitudeText())
        ui.Edit_Latitude->setText(m_form.latitudeText());
    if (ui.Edit_Longitude->text() != m_form.longitudeText())
        ui.Edit_Longitude->setText(m_form.longitudeText());
    ui.Text_Week->setText(m_form.week().join(u'\n'));
    const QString problem = m_form.problem();
    const QString note = m_form.note().isEmpty() ? problem : m_form.note();
    ui.Lbl_Note->setText(note);
    ui.Lbl_Note->setToolTip(note);
    ui.Sb_Ok->setEnabled(problem.isEmpty());
    ui.Sb_Apply->setEnabled(problem.isEmpty());
}

void TfmSchedule::showPlan() {
    const int index = selectedPlan();
    m_ui->Sb_RemovePlan->setEnabled(index >= 0);
    SchedulePlanEditor::show(*m_ui, index >= 0 ? &m_form.plans()[index] : nullptr);
}

void TfmSchedule::editPlan() {
    const int index = selectedPlan();
    if (index >= 0)
        m_form.setPlan(index, SchedulePlanEditor::read(*m_ui, m_form.plans()[index]));
}

void TfmSchedule::showQuiet() {
    const ScheduleControls& ui = *m_ui;
    const int index = selectedQuiet();
    const bool chosen = index >= 0;
    for (QWidget* control :
         {static_cast<QWidget*>(ui.Sb_RemoveQuiet), static_cast<QWidget*>(ui.Time_QuietFrom),
          static_cast<QWidget*>(ui.Time_QuietTo)})
        control->setEnabled(chosen);
    if (!chosen)
        return;
    const QSignalBlocker from(ui.Time_QuietFrom);
    const QSignalBlocker to(ui.Time_QuietTo);
    ui.Time_QuietFrom->setTime(m_form.quiet()[index].from);
    ui.Time_QuietTo->setTime(m_form.quiet()[index].to);
}

void TfmSchedule::editQuiet() {
    const int index = selectedQuiet();
    if (index >= 0)
        m_form.setQuiet(index, {m_ui->Time_QuietFrom->time(), m_ui->Time_QuietTo->time()});
}

void TfmSchedule::okClicked() {
    if (m_form.apply())
        close();
}

int TfmSchedule::selectedPlan() const {
    return m_ui ? m_ui->List_Plans->currentRow() : -1;
}

int TfmSchedule::selectedQuiet() const {
    return m_ui ? m_ui->List_Quiet->currentRow() : -1;
}
