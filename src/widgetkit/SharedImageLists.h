// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgetkit/ImageList.h"

// The image lists that several windows draw from, loaded once. The main window owns them and
// lends them to the dialogs, so a picture on a dialog is the very one the main window shows.
struct SharedImageLists {
    // `resDir`: the folder that holds Img/; empty: the one beside the executable.
    explicit SharedImageLists(const QString& resDir = {});

    ImageList BitmapList_Btn;
    ImageList BitmapList_Yellow;
    ImageList BitmapList_Ghost;
    ImageList MenuPictures;
};
