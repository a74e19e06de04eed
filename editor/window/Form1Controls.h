#pragma once

#include "editor/window/ControlTable.h"

#include <QFont>
#include <array>
#include <span>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace corvane {

class MessageEditor;
class MessageTextBox;

// The main window's controls: the table that creates, places and orders them,
// and each one typed, by the name the window design gives it.
struct Form1Controls
{
    // Every control of the window in creation order, with its twips
    // rectangle and tab index.
    static std::span<const ControlRow> Table();
    // Finds the controls in `window` and gives each its fixed look: captions,
    // fonts, colours, pictures, and the widths the editor offers.
    static Form1Controls SetUp(QWidget& window, const MessageEditor& editor);
    // The standard dialog face the layout was drawn for.
    static QFont WindowFont();

    QLabel* LblWidth = nullptr;
    MessageTextBox* TxtMessage = nullptr;
    std::array<QRadioButton*, 4> OptScroll{};
    QLabel* LblSpeed = nullptr;
    QListWidget* LstSpeed = nullptr;
    QPushButton* CmdNext = nullptr;
    QPushButton* CmdDel = nullptr;
    QGroupBox* Frame1 = nullptr;
    std::array<QLabel*, 4> AboutLabels{}; // Label1 to Label4
    QLabel* PicFlg = nullptr;
    QPushButton* CmdUp = nullptr;
    QPushButton* CmdDn = nullptr;
    QPushButton* CmdClear = nullptr;
    QPushButton* CmdPlayOne = nullptr;
    QListWidget* LstMessage = nullptr;
    QPushButton* CmdSave = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* CmbWidth = nullptr;
    QLabel* LblLatch = nullptr;
    QLabel* Image1 = nullptr;
    // What an Up or Down message loses on the board; hidden when nothing.
    QLabel* LblCut = nullptr;
    // Scroll (the option buttons' direction), Still or Blink; and the pause.
    QComboBox* CmbWay = nullptr;
    QComboBox* CmbPause = nullptr;
};

} // namespace corvane
