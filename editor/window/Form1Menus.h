#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;

namespace corvane {

class Form1Actions;
class HelpWindow;
class RecentFiles;

// The main window's menu bar, above the controls: File, Edit and Help, made
// of the very actions the buttons' keys and the message list's menu use, so
// each names its key and is enabled as its button is. F10 opens the first
// menu, as Alt and each menu's mnemonic do.
class Form1Menus final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Form1Menus)

public:
    // The file actions, made by the program file's and the firmware's parts.
    struct FileActions
    {
        QAction* open = nullptr;
        QAction* buildFirmware = nullptr;
        QAction* buildWiringTest = nullptr;
        QAction* flash = nullptr;
        QList<QAction*> brightness{}; // the firmware's, 1 to 8
    };

    // `contactDetails` are the About frame's lines, shown by Help ▸ About.
    Form1Menus(QMainWindow& window, const Form1Actions& actions, const FileActions& files,
               const RecentFiles& recent, const QStringList& contactDetails);
    ~Form1Menus() override;

    QMenuBar& menuBar() const { return *m_menuBar; }
    QMenu& recentMenu() const { return *m_recentMenu; }

    // Every key of the window, as Help ▸ Keys lists them (Markdown).
    QString keysPage() const;

signals:
    // One of File ▸ Recent Programs.
    void recentChosen(const QString& path);
    // Edit ▸ Glyphs…
    void glyphsChosen();

private:
    QAction* windowAction(const char* name, const QString& text, const QKeySequence& keys);
    void fillRecentMenu();
    void showManual();
    void showKeys();
    void showAbout();
    HelpWindow& helpWindow();

    QMainWindow& m_window;
    const Form1Actions& m_actions;
    const RecentFiles& m_recent;
    QStringList m_contactDetails;
    QMenuBar* m_menuBar = nullptr;
    QMenu* m_recentMenu = nullptr;
    QAction* m_openMenuBar = nullptr;
    QAction* m_glyphs = nullptr;
    HelpWindow* m_help = nullptr; // made when first asked for
};

} // namespace corvane
