// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

class CaptionedMenu;
class ImageList;
class MainWindowCommands;
class QAction;
class QMenu;
class QWidget;

// Menu_MainForm, the right-click menu of the main window, and Menu_Tray, the tray icon's menu.
// Their captions are the same Russian words in both languages.
class MainMenus : public QObject {
    Q_OBJECT
public:
    // `MenuPictures` gives the items' pictures; neither argument is owned.
    MainMenus(MainWindowCommands& commands, const ImageList& MenuPictures,
              QObject* parent = nullptr);
    ~MainMenus() override;

    QMenu* Menu_MainForm() const;
    QMenu* Menu_Tray() const;

    // A right click anywhere on `window` (its pictures and panels included) opens Menu_MainForm.
    void attachTo(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, int picture);

    MainWindowCommands& m_commands;
    const ImageList& m_pictures;
    std::unique_ptr<CaptionedMenu> m_main;
    std::unique_ptr<CaptionedMenu> m_tray;
};
