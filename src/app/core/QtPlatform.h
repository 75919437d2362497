#pragma once

#include "app/core/Desktop.h"
#include "app/core/MessageBoxes.h"

class QtMessageBoxes : public MessageBoxes {
public:
    void showError(const QString& text) override;
};

class ScreenDesktop : public Desktop {
public:
    int width() const override;
};
