// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgetkit/SharedImageLists.h"

namespace {

QString folderOrDefault(const QString& resDir) {
    return resDir.isEmpty() ? ImageList::resDir() : resDir;
}

} // namespace

SharedImageLists::SharedImageLists(const QString& resDir)
    : BitmapList_Btn(QStringLiteral("BitmapList_Btn"), folderOrDefault(resDir))
    , BitmapList_Yellow(QStringLiteral("BitmapList_Yellow"), folderOrDefault(resDir))
    , BitmapList_Ghost(QStringLiteral("BitmapList_Ghost"), folderOrDefault(resDir))
    , MenuPictures(QStringLiteral("MenuPictures"), folderOrDefault(resDir)) {}
