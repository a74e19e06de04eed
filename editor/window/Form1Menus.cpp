#include "editor/window/Form1Menus.h"

#include "editor/files/RecentFiles.h"
#include "editor/window/ControlView.h"
#include "editor/window/Form1Actions.h"
#include "editor/window/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace corvane {

namespace {

// A menu's or an action's name without its mnemonic mark: "File", "Open Program…".
QString Plain(const QString& text)
{
    QString plain = text.section(QLatin1Char('\t'), 0, 0);
    plain.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    plain.remove(QLatin1Char('&'));
    plain.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return plain;
}

QString KeysRow(const QString& keys, const QString& what)
{
    return QStringLiteral("| %1 | %2 |\n").arg(keys, what);
}

} // namespace

Form1Menus::Form1Menus(QMainWindow& window, const Form1Actions& actions, const FileActions& files,
                       const RecentFiles& recent, const QStringList& contactDetails)
    : QObject(&window), m_window(window), m_actions(actions), m_recent(recent),
      m_contactDetails(contactDetails), m_menuBar(new QMenuBar(&window))
{
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    window.setMenuBar(m_menuBar);

    QMenu* file = m_menuBar->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    file->addAction(files.open);
    file->addAction(&actions.save());
    m_recentMenu = file->addMenu(tr("&Recent Programs"));
    m_recentMenu->setObjectName(QStringLiteral("recentMenu"));
    file->addSeparator();
    file->addAction(files.buildFirmware);
    file->addAction(files.buildWiringTest);
    file->addAction(files.flash);
    QMenu* brightness = file->addMenu(tr("Firmware &Brightness"));
    brightness->setObjectName(QStringLiteral("brightnessMenu"));
    brightness->addActions(files.brightness);
    file->addSeparator();
    file->addAction(&actions.quit());

    QMenu* edit = m_menuBar->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->addAction(&actions.undo());
    edit->addAction(&actions.redo());
    edit->addSeparator();
    edit->addAction(&actions.clearAll());
    edit->addSeparator();
    m_glyphs =
        windowAction("glyphsAction", tr("&Glyphs\u2026"), QKeySequence(Qt::CTRL | Qt::Key_G));
    edit->addAction(m_glyphs);
    connect(m_glyphs, &QAction::triggered, this, &Form1Menus::glyphsChosen);

    QMenu* help = m_menuBar->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    const auto item = [this, help](const char* name, const QString& text, const QKeySequence& keys,
                                   void (Form1Menus::*show)()) {
        QAction* action = windowAction(name, text, keys);
        help->addAction(action);
        connect(action, &QAction::triggered, this, show);
    };
    item("manualAction", tr("&Manual"), QKeySequence::HelpContents, &Form1Menus::showManual);
    item("keysAction", tr("&Keys"), QKeySequence(Qt::CTRL | Qt::Key_F1), &Form1Menus::showKeys);
    help->addSeparator();
    item("aboutAction", tr("&About Corvane"), {}, &Form1Menus::showAbout);

    // Alt alone opens the bar by the style's own rule; F10 does it always.
    m_openMenuBar = windowAction("menuBarAction", tr("Menu Bar"), QKeySequence(Qt::Key_F10));
    connect(m_openMenuBar, &QAction::triggered, this,
            [this, file] { m_menuBar->setActiveAction(file->menuAction()); });

    connect(&recent, &RecentFiles::programsChanged, this, &Form1Menus::fillRecentMenu);
    fillRecentMenu();
}

Form1Menus::~Form1Menus() = default;

QAction* Form1Menus::windowAction(const char* name, const QString& text, const QKeySequence& keys)
{
    auto* action = new QAction(text, &m_window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    m_window.addAction(action);
    return action;
}

void Form1Menus::fillRecentMenu()
{
    m_recentMenu->clear();
    const QStringList& programs = m_recent.programs();
    if (programs.isEmpty()) {
        m_recentMenu->addAction(tr("No recent programs"))->setEnabled(false);
        return;
    }
    QStringList names;
    for (const QString& path : programs) {
        names << QFileInfo(path).fileName();
    }
    for (qsizetype i = 0; i < programs.size(); ++i) {
        const QString& path = programs.at(i);
        // Two of one name tell their folders apart.
        QString name = names.at(i);
        if (names.count(name) > 1) {
            name += QStringLiteral(" (%1)").arg(
                QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
        }
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        item->setStatusTip(QDir::toNativeSeparators(path));
        item->setData(path);
        connect(item, &QAction::triggered, this, [this, path] { emit recentChosen(path); });
    }
}

QString Form1Menus::keysPage() const
{
    QString page = tr("# Keys\n\n| Keys | What they do |\n|---|---|\n");
    for (const QAction* menuAction : m_menuBar->actions()) {
        const QMenu* menu = menuAction->menu();
        for (const QAction* action : menu->actions()) {
            if (!action->shortcuts().isEmpty()) {
                page +=
                    KeysRow(KeysText(*action), Plain(menu->title()) + QStringLiteral(" \u25B8 ") +
                                                   Plain(action->iconText()));
            }
        }
    }
    for (const QAction* action : {&m_actions.moveUp(), &m_actions.moveDown(), &m_actions.play()}) {
        page += KeysRow(KeysText(*action), Plain(action->text()));
    }
    page += KeysRow(tr("Enter"), tr("Next: a new message after the current one"));
    page += KeysRow(tr("Tab, Shift+Tab"), tr("The next or the previous control"));
    page += KeysRow(tr("Arrow keys"), tr("Another direction, speed, width or message"));
    page += KeysRow(KeysText(*m_openMenuBar) + tr(", Alt"), tr("The menu bar"));
    page += KeysRow(KeysText(m_actions.contextMenu()) + tr(", Menu"),
                    tr("The context menu of the message list or the text box"));
    return page;
}

HelpWindow& Form1Menus::helpWindow()
{
    if (m_help == nullptr) {
        m_help = new HelpWindow(&m_window);
    }
    return *m_help;
}

void Form1Menus::showManual()
{
    helpWindow().showPage(tr("Corvane Manual"), HelpWindow::Manual());
}

void Form1Menus::showKeys()
{
    helpWindow().showPage(tr("Corvane Keys"), keysPage());
}

void Form1Menus::showAbout()
{
    auto* box = new QMessageBox(&m_window);
    box->setObjectName(QStringLiteral("aboutBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(tr("About Corvane"));
    box->setIconPixmap(m_window.windowIcon().pixmap(32, 32));
    box->setTextFormat(Qt::PlainText);
    box->setText(tr("Corvane, a code wizard for scrolling LED sign boards") +
                 QStringLiteral("\n\n") + m_contactDetails.join(QLatin1Char('\n')));
    box->setStandardButtons(QMessageBox::Close);
    box->open();
}

} // namespace corvane
