// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/TMyDataFrame.h"

#include "device/MonitorTexts.h"
#include "widgetkit/FormFont.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>

#include <algorithm>

namespace {

QGroupBox* groupBox(QWidget* parent, const char* name, const QString& title, QRect place) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    return box;
}

QLineEdit* valueField(QGroupBox* group, const char* name) {
    auto* field = new QLineEdit(group);
    field->setObjectName(QLatin1String(name));
    field->setGeometry(4, 14, 180, 22);
    field->setFont(FormFont("Arial", 11));
    return field;
}

QCheckBox* checkBox(QWidget* parent, const QString& name, const QString& caption, QRect place) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    // The page's font stands in for one drawn narrower; a caption must not lose its last letters.
    place.setWidth(std::max(place.width(), box->sizeHint().width()));
    box->setGeometry(place);
    return box;
}

} // namespace

TMyDataFrame::TMyDataFrame(QWidget* owner, BoardPoller& poller)
    : QFrame(owner) {
    setObjectName(QStringLiteral("MyDataFrame_%1").arg(poller.productId()));
    resize(395, 483);
    createControls();
    followOutputs(poller);
    connect(&poller, &BoardPoller::readingArrived, this, &TMyDataFrame::showReading);
}

void TMyDataFrame::createControls() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 2, 390, 450);
    PageControl1->setTabPosition(QTabWidget::South);
    PageControl1->setFont(FormFont("MS Sans Serif", 11));
    // Group boxes with their caption on the frame line, so the fields fit inside them.
    PageControl1->setStyleSheet(QStringLiteral(
        "QTabBar::tab { color: black; }"
        "QTabBar::tab:hover { color: navy; }"
        "QGroupBox { border: 1px solid #A0A0A0; border-radius: 2px; margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; top: -1px; }"));
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet_Input"));
    PageControl1->addTab(page, QStringLiteral("Входа и Выходы"));

    Edit_AD1 = valueField(groupBox(page, "GroupBox7", QStringLiteral(" АЦП "), {4, 0, 200, 40}),
                          "Edit_AD1");
    Edit_FQ1 = valueField(
        groupBox(page, "GroupBox8", QStringLiteral(" Частота "), {4, 44, 200, 40}), "Edit_FQ1");

    QGroupBox* inputs = groupBox(page, "GroupBox1", QStringLiteral(" Входа "), {4, 88, 157, 40});
    for (int k = 1; k <= Inputs; ++k) {
        QCheckBox* box = checkBox(inputs, QStringLiteral("Cb_Inp%1_1").arg(k), QString(),
                                  {4 + 14 * (k - 1), 18, 14, 14});
        box->setEnabled(false); // shows the board's inputs; the user cannot set them
        m_inputs[static_cast<size_t>(k - 1)] = box;
    }

    struct OutputBox {
        const char* caption;
        QRect place;
        bool inGroup;
    };
    const OutputBox outputs[Outputs] = {
        {"С.Д. охраны", {4, 18, 85, 14}, true},   {"Пусто", {4, 34, 55, 14}, true},
        {"Пусто", {4, 50, 57, 14}, true},         {"Switch", {4, 66, 59, 14}, true},
        {"Hard Killer", {4, 82, 69, 14}, true},   {"Cb_Out6_1", {152, 152, 97, 17}, false},
        {"Cb_Out7_1", {152, 168, 97, 17}, false}, {"Cb_Out8_1", {152, 184, 97, 17}, false},
        {"Cb_Out9_1", {152, 224, 97, 17}, false}, {"Cb_Out10_1", {152, 248, 97, 17}, false},
    };
    QGroupBox* outputGroup =
        groupBox(page, "GroupBox3", QStringLiteral(" Выходы "), {4, 136, 117, 105});
    for (int k = 1; k <= Outputs; ++k) {
        const OutputBox& box = outputs[k - 1];
        m_outputs[static_cast<size_t>(k - 1)] = checkBox(
            box.inGroup ? static_cast<QWidget*>(outputGroup) : page,
            QStringLiteral("Cb_Out%1_1").arg(k), QString::fromUtf8(box.caption), box.place);
    }
}

void TMyDataFrame::followOutputs(BoardPoller& poller) {
    for (int output = 0; output < Outputs; ++output) {
        QCheckBox* box = m_outputs[static_cast<size_t>(output)];
        box->setChecked(poller.output(output));
        connect(box, &QCheckBox::toggled, &poller,
                [&poller, output](bool on) { poller.setOutput(output, on); });
    }
    connect(&poller, &BoardPoller::outputChanged, this, [this](int output, bool on) {
        m_outputs[static_cast<size_t>(output)]->setChecked(on);
    });
}

void TMyDataFrame::showReading(const BoardReport::Inputs& inputs) {
    m_inputs[8]->setChecked(inputs.DInputs[8]);
    m_inputs[9]->setChecked(inputs.Input10);
    Edit_FQ1->setText(MonitorTexts::frequency(inputs.Frequency, QLocale().decimalPoint()));
    Edit_AD1->setText(MonitorTexts::analogInputs(inputs.AInputs));
    for (int input = 0; input < 8; ++input)
        m_inputs[static_cast<size_t>(input)]->setChecked(
            inputs.DInputs[static_cast<size_t>(input)]);
}
