// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/TMyDataFrame.h"

#include "core/LogCategories.h"
#include "device/MonitorTexts.h"
#include "widgetkit/FormFont.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QLocale>
#include <QTabWidget>

#include <algorithm>
#include <exception>

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

TMyDataFrame::TMyDataFrame(QWidget* owner, int productId, TJvHidDeviceController* controller)
    : QFrame(owner)
    , m_device(std::make_unique<TMyDevice>(controller)) {
    m_device->ProductID = static_cast<quint16>(productId);
    setObjectName(QStringLiteral("MyDataFrame_%1").arg(productId));
    resize(395, 483);
    createControls();
    Timer_Work.setInterval(100);
    connect(&Timer_Work, &QTimer::timeout, this, &TMyDataFrame::Timer_WorkTimer);
    Timer_Work.start();
}

TMyDataFrame::~TMyDataFrame() {
    Timer_Work.stop();
    for (int output = 0; output < OutputsOffAtEnd; ++output)
        m_device->SetDOutputs(output, 0);
    exchangeLogged();
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

void TMyDataFrame::Timer_WorkTimer() {
    for (int output = 0; output < Outputs; ++output)
        m_device->SetDOutputs(output, m_outputs[static_cast<size_t>(output)]->isChecked() ? 1 : 0);
    if (!exchangeLogged())
        return;

    m_inputs[8]->setChecked(m_device->DInputs(8));
    m_inputs[9]->setChecked(m_device->Input10());
    Edit_FQ1->setText(MonitorTexts::frequency(m_device->Frequency(), QLocale().decimalPoint()));
    std::array<quint8, BoardReport::AnalogInputs> analog{};
    for (int i = 0; i < BoardReport::AnalogInputs; ++i)
        analog[static_cast<size_t>(i)] = m_device->AInputs(i);
    Edit_AD1->setText(MonitorTexts::analogInputs(analog));
    quint16 inputs = 0;
    for (int input = 0; input < 8; ++input) {
        m_inputs[static_cast<size_t>(input)]->setChecked(m_device->DInputs(input));
        inputs |= static_cast<quint16>(m_device->DInputs(input) ? 1U << input : 0U);
    }
    if (m_device->DInputs(8))
        inputs |= 1U << 8;
    emit inputsRead(inputs);
}

bool TMyDataFrame::exchangeLogged() {
    // A message box every 100 ms would bury the desktop; the log keeps each failure.
    try {
        m_device->Exchange();
        return true;
    } catch (const std::exception& error) {
        qCWarning(lcDevice) << "Board" << m_device->ProductID << "exchange failed:" << error.what();
        return false;
    }
}
