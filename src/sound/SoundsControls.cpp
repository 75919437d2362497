// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/SoundsControls.h"

#include "widgetkit/FormFont.h"
#include "widgetkit/GradientTitle.h"
#include "widgetkit/SkinColors.h"
#include "widgetkit/SkinParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

namespace {

using SkinParts::placed;
using SkinParts::textButton;

// The selection stays readable on the field blue.
const char* const SelectionRule = "selection-background-color: #D7EDFF; selection-color: #125BA1; ";

} // namespace

SoundsControls::SoundsControls(QDialog* dialog) {
    Img_Fon = SkinParts::picture(dialog, QStringLiteral("Img_Fon"), {13, 40, 764, 410});
    Lbl_Title = new GradientTitle(dialog, {8, 0, 274, 25});
    Lbl_Title->setObjectName(QStringLiteral("Lbl_Title"));

    List_Libraries = placed(new QListWidget(dialog), "List_Libraries", {22, 50, 292, 232});
    List_Libraries->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List_Libraries->setTextElideMode(Qt::ElideMiddle);
    List_Libraries->setStyleSheet(SkinParts::fieldStyle("QListWidget", SelectionRule) +
                                  QStringLiteral(" QListWidget::item { height: 19px; }"));
    Combo_Effect = placed(new QComboBox(dialog), "Combo_Effect", {22, 290, 292, 24});
    Sb_Play = textButton(dialog, "Sb_Play", {22, 322, 292, 28});

    Grid_Sounds = placed(new QTableWidget(0, 4, dialog), "Grid_Sounds", {324, 50, 444, 232});
    Grid_Sounds->setStyleSheet(SkinParts::fieldStyle("QTableWidget", SelectionRule));
    Grid_Sounds->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid_Sounds->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid_Sounds->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid_Sounds->verticalHeader()->hide();
    Grid_Sounds->verticalHeader()->setDefaultSectionSize(20);
    Grid_Sounds->horizontalHeader()->setStretchLastSection(true);
    for (const auto& [column, width] : {std::pair{0, 36}, {1, 184}, {2, 100}})
        Grid_Sounds->setColumnWidth(column, width);
    Edit_Description =
        SkinParts::field(dialog, QStringLiteral("Edit_Description"), {324, 291, 338, 22}, false);
    Sb_Apply = textButton(dialog, "Sb_Apply", {668, 289, 100, 26});
    Sb_Add = textButton(dialog, "Sb_Add", {324, 322, 104, 28});
    Sb_Remove = textButton(dialog, "Sb_Remove", {434, 322, 104, 28});
    Sb_Back = textButton(dialog, "Sb_Back", {544, 322, 224, 28});
    Cb_Trim =
        SkinParts::checkbox(dialog, QStringLiteral("Cb_Trim"), QString(), {324, 358, 300, 18});
    Cb_Trim->setChecked(true);

    Progress_Import = placed(new QProgressBar(dialog), "Progress_Import", {22, 384, 636, 22});
    Progress_Import->setRange(0, 100);
    Progress_Import->setStyleSheet(SkinParts::fieldStyle("QProgressBar", "text-align: center; ") +
                                   QStringLiteral(" QProgressBar::chunk { background-color: %1; }")
                                       .arg(SkinColors::GroupBlue.name()));
    Sb_Cancel = textButton(dialog, "Sb_Cancel", {668, 382, 100, 26});

    Lbl_Note = SkinParts::text(dialog, QStringLiteral("Lbl_Note"), QString(), {22, 414},
                               SkinColors::PaleText, false);
    Lbl_Note->setWordWrap(true);
    Lbl_Note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Lbl_Note->setGeometry(22, 414, 746, 30);
}
