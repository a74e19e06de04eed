#include "editor/window/Form1.h"

#include "bascom/MakerDetails.h"
#include "editor/files/FirmwareFiles.h"
#include "editor/files/ProgramFiles.h"
#include "editor/files/RecentFiles.h"
#include "editor/glyphs/GlyphEditorDialog.h"
#include "editor/preview/PreviewWindow.h"
#include "editor/window/ControlTable.h"
#include "editor/window/ControlView.h"
#include "editor/window/Form1Actions.h"
#include "editor/window/Form1Menus.h"
#include "editor/window/Form1Sync.h"
#include "editor/window/MessageTextBox.h"
#include "editor/window/TabStops.h"
#include "editor/window/TwipsLayout.h"
#include "editor/window/WindowStyle.h"
#include "resources/Resources.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QShowEvent>
#include <QStatusBar>
#include <algorithm>
#include <string_view>
#include <utility>

namespace corvane {

namespace {

constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 5955;

} // namespace

QString Form1::Caption()
{
    return QStringLiteral("QRV 1.1 - ") + Latin1(maker::kWebAddress);
}

Form1::Form1(QWidget* parent)
    : Form1(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                        QStringLiteral("Corvane"), QStringLiteral("Corvane")),
            parent)
{}

Form1::Form1(std::unique_ptr<QSettings> settings, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_settings(std::move(settings)), m_recent(new RecentFiles(m_settings.get(), this)),
      m_clientArea(new QWidget(this))
{
    InitResources();
    setObjectName(QStringLiteral("Form1"));
    m_clientArea->setObjectName(QStringLiteral("clientArea"));
    setCentralWidget(m_clientArea);
    QIcon icon;
    icon.addPixmap(LoadPicture(QStringLiteral(":/corvane/icon-16.png"), "png"));
    icon.addPixmap(LoadPicture(QStringLiteral(":/corvane/icon-32.png"), "png"));
    setWindowIcon(icon);
    setFont(Form1Controls::WindowFont());

    CreateControls(*m_clientArea, Form1Controls::Table());
    m_controls = Form1Controls::SetUp(*this, m_editor);
    m_OptScrollGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < m_controls.OptScroll.size(); ++i) {
        m_OptScrollGroup->addButton(m_controls.OptScroll[i], static_cast<int>(i));
    }
    m_actions = new Form1Actions(*this, m_controls);
    connect(&m_actions->undo(), &QAction::triggered, this, &Form1::undoStep);
    connect(&m_actions->redo(), &QAction::triggered, this, &Form1::redoStep);
    m_sync =
        std::make_unique<Form1Sync>(m_editor, m_controls, m_actions->undo(), m_actions->redo());
    applyWindowStyle();
    ApplyTabOrder(*m_clientArea, Form1Controls::Table());
    m_tabStops = std::make_unique<TabStops>(*this, Form1Controls::Table(),
                                            QList<const QButtonGroup*>{m_OptScrollGroup});

    m_files = new ProgramFiles(m_editor, this, m_recent);
    connect(m_files, &ProgramFiles::editorChanged, this, &Form1::syncView);
    connect(m_files, &ProgramFiles::pathChanged, this, &Form1::showProgramInTitle);
    connect(m_files, &ProgramFiles::noted, this, &Form1::showNote);
    m_firmware = new FirmwareFiles(m_editor, this, m_recent);
    connect(m_files, &ProgramFiles::pathChanged, m_firmware, &FirmwareFiles::setProgramPath);
    connect(m_firmware, &FirmwareFiles::noted, this, &Form1::showNote);
    const Form1Menus::FileActions fileActions{
        m_files->openAction(), m_firmware->buildFirmwareAction(),
        m_firmware->buildWiringTestAction(), m_firmware->flashAction(),
        m_firmware->brightnessActions()};
    for (QAction* action : {fileActions.open, fileActions.buildFirmware,
                            fileActions.buildWiringTest, fileActions.flash}) {
        addAction(action);
    }
    m_actions->addMenuGroup({m_files->openAction()});
    m_actions->addMenuGroup({m_firmware->buildFirmwareAction(), m_firmware->flashAction(),
                             m_firmware->buildWiringTestAction()});

    // Help ▸ About names each of the About frame's lines by its tooltip.
    QStringList contact;
    for (const QLabel* label : m_controls.AboutLabels) {
        contact << label->toolTip() + QStringLiteral(": ") + label->text();
    }
    m_menus = new Form1Menus(*this, *m_actions, fileActions, *m_recent, contact);
    connect(m_menus, &Form1Menus::recentChosen, m_files, &ProgramFiles::openRecent);
    connect(m_menus, &Form1Menus::glyphsChosen, this, &Form1::showGlyphEditor);

    statusBar()->setSizeGripEnabled(false);
    m_note = new QLabel(statusBar());
    m_note->setObjectName(QStringLiteral("statusNote"));
    // A long note is cut, and never widens the window.
    m_note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->addWidget(m_note, 1);

    syncView();
    applyLayout();
    setAcceptDrops(true);
    connectEvents();
}

Form1::~Form1()
{
    // The controls are destroyed after this part of the window; a focus or
    // selection change they signal meanwhile must not reach it.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
    }
}

void Form1::Form_Load(const std::function<void()>& showSplash)
{
    hide();
    if (showSplash) {
        showSplash();
    }
    m_files->fillGlyphTable();
    m_editor.Form_Load();
    syncView();
}

bool Form1::openProgramFile(const QString& path)
{
    return m_files->openFile(path);
}

const GlyphTable& Form1::glyphTable() const
{
    return m_files->glyphTable();
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!ProgramFiles::DraggedProgram(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void Form1::dropEvent(QDropEvent* event)
{
    if (m_files->openDropped(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_files->confirmClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool Form1::focusNextPrevChild(bool next)
{
    if (focusWidget() == m_controls.TxtMessage) {
        onBoxLeft();
    }
    QWidget* target = m_tabStops->next(focusWidget(), next);
    if (target == nullptr) {
        return false;
    }
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void Form1::applyWindowStyle()
{
    // A child made after the controls is destroyed after them.
    auto* style = new WindowStyle();
    style->setParent(this);
    for (const ControlRow& control : Form1Controls::Table()) {
        ControlOf<QWidget>(*this, control.name)->setStyle(style);
    }
}

void Form1::applyLayout()
{
    // The client area keeps its size; the menu bar and the status line add
    // their heights to the window's, which the user cannot resize.
    const qreal dpi = m_clientArea->logicalDpiX();
    m_clientArea->setFixedSize(TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    PlaceControls(*m_clientArea, Form1Controls::Table());

    // The substitute faces are wider than the ones the layout was drawn for;
    // these captions would be clipped, and the layout leaves room to their right.
    const auto& c = m_controls;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             c.OptScroll[0], c.OptScroll[1], c.OptScroll[2], c.OptScroll[3], c.AboutLabels[0],
             c.AboutLabels[1], c.AboutLabels[2], c.AboutLabels[3]}) {
        widget->resize(std::max(widget->width(), widget->sizeHint().width()), widget->height());
    }
    c.LblLatch->adjustSize();
    layout()->activate();
}

void Form1::connectEvents()
{
    const auto& c = m_controls;
    connect(c.TxtMessage, &MessageTextBox::focusEntered, this, &Form1::onBoxFocused);
    connect(c.TxtMessage, &MessageTextBox::focusLeft, this, &Form1::onBoxLeft);
    connect(c.TxtMessage, &MessageTextBox::aboutToEdit, this, [this] {
        // A keystroke or click in the box while the editor counts the focus
        // as elsewhere (a click that did not move Qt's focus): the box
        // receives it first.
        if (!m_editor.TxtMessage().hasFocus()) {
            onBoxFocused();
        }
    });
    connect(c.TxtMessage, &QLineEdit::textEdited, this, &Form1::onMessageEdited);
    connect(c.TxtMessage, &QLineEdit::returnPressed, this,
            [this] { forward([this] { m_editor.userPressEnter(); }); });

    connect(m_OptScrollGroup, &QButtonGroup::idClicked, this, [this](int id) {
        forward([this, id] { m_editor.userClickDirection(static_cast<std::size_t>(id)); });
    });
    // Scroll goes back to Left from Still or Blink; the option buttons choose another.
    connect(c.CmbWay, &QComboBox::activated, this, [this](int index) {
        forward([this, index] {
            const int scroll = m_editor.CurScroll() < kScrollCount ? m_editor.CurScroll() : 0;
            m_editor.userClickDirection(
                static_cast<std::size_t>(index == 0 ? scroll : kScrollCount - 1 + index));
        });
    });
    connect(c.CmbPause, &QComboBox::activated, this,
            [this](int index) { forward([this, index] { m_editor.userClickPause(index); }); });

    // Arrow keys move the current row too and count as clicks.
    connect(c.LstMessage, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            forward([this, row] { m_editor.userClickMessage(static_cast<std::size_t>(row)); });
        }
    });
    connect(c.LstMessage, &QListWidget::itemSelectionChanged, this, &Form1::queueSync);
    connect(c.LstSpeed, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            forward([this, row] { m_editor.userClickSpeed(static_cast<std::size_t>(row)); });
        }
    });
    // A click on the speed already shown selects it again, which reads it
    // back into the current speed.
    connect(c.LstSpeed, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        forward(
            [this, row = index.row()] { m_editor.userClickSpeed(static_cast<std::size_t>(row)); });
    });
    connect(c.LstSpeed, &QListWidget::itemSelectionChanged, this, &Form1::queueSync);
    connect(c.CmbWidth, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) {
            forward([this, index] { m_editor.userClickWidth(static_cast<std::size_t>(index)); });
        }
    });

    const auto button = [this](QPushButton* control, void (MessageEditor::*click)()) {
        connect(control, &QPushButton::clicked, this,
                [this, click] { forward([this, click] { (m_editor.*click)(); }); });
    };
    button(c.CmdNext, &MessageEditor::userClickNext);
    button(c.CmdDel, &MessageEditor::userClickDelete);
    button(c.CmdClear, &MessageEditor::userClickClear);
    button(c.CmdUp, &MessageEditor::userClickUp);
    button(c.CmdDn, &MessageEditor::userClickDown);
    connect(c.CmdPlayOne, &QPushButton::clicked, this, &Form1::onPlayClicked);
    connect(c.CmdSave, &QPushButton::clicked, this, &Form1::onSaveClicked);
}

template <typename Action> void Form1::forward(Action&& action)
{
    // Signals raised while the widgets are being updated are not the user's.
    if (m_sync->isSyncing()) {
        return;
    }
    std::forward<Action>(action)();
    syncView();
}

void Form1::syncView()
{
    m_sync->syncView();
    if (m_glyphEditor != nullptr) {
        m_glyphEditor->showFont(m_editor.font());
    }
    showProgramInTitle();
}

void Form1::showGlyphEditor()
{
    if (m_glyphEditor == nullptr) {
        m_glyphEditor = new GlyphEditorDialog(this);
        connect(m_glyphEditor, &GlyphEditorDialog::glyphDrawn, this,
                [this](unsigned char code, const GlyphColumnBytes& columns) {
                    forward([this, code, &columns] { m_editor.userDrawGlyph(code, columns); });
                });
    }
    m_glyphEditor->showFont(m_editor.font());
    m_glyphEditor->show();
    m_glyphEditor->raise();
    m_glyphEditor->activateWindow();
}

void Form1::showProgramInTitle()
{
    if (m_files == nullptr) {
        return;
    }
    const QString& path = m_files->lastPath();
    const QString title =
        path.isEmpty() ? QStringLiteral("[*]") + Caption()
                       : QFileInfo(path).fileName() + QStringLiteral("[*] \u2014 ") + Caption();
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
    if (windowFilePath() != path) {
        setWindowFilePath(path);
    }
    setWindowModified(m_editor.isChanged());
}

void Form1::showNote(const QString& note)
{
    m_note->setText(note);
    m_note->setToolTip(note);
}

void Form1::queueSync()
{
    // The selection changes before the current row does; by the time the
    // queued call runs, any click has reached the editor.
    if (m_sync->isSyncing() || m_syncQueued) {
        return;
    }
    m_syncQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_syncQueued = false;
            syncView();
        },
        Qt::QueuedConnection);
}

void Form1::onBoxFocused()
{
    forward([this] { m_editor.userFocusBox(); });
}

void Form1::onBoxLeft()
{
    forward([this] { m_editor.userLeaveBox(); });
}

void Form1::onMessageEdited(const QString& text)
{
    forward([this, &text] {
        const QByteArray bytes = text.toUtf8();
        const auto caret = text.left(m_controls.TxtMessage->cursorPosition()).toUtf8().size();
        m_editor.userEditText(std::string_view(bytes.constData(), bytes.size()),
                              static_cast<std::size_t>(caret));
    });
    // A character the sign cannot show is named where it was typed or pasted.
    if (!m_editor.inputNote().empty()) {
        showNote(QString::fromStdString(m_editor.inputNote()));
    }
}

void Form1::onSaveClicked()
{
    if (!m_sync->isSyncing()) {
        m_files->save();
    }
}

void Form1::onPlayClicked()
{
    if (m_sync->isSyncing()) {
        return;
    }
    const std::string caption = m_editor.CmdPlayOne().caption();
    forward([this] { m_editor.userClickPlayOne(); });
    // Only a click the editor carried out switches between play and pause.
    if (m_editor.CmdPlayOne().caption() == caption) {
        return;
    }
    if (m_preview == nullptr) {
        m_preview = new PreviewWindow(this);
        connect(m_preview, &PreviewWindow::closed, this,
                [this] { forward([this] { m_editor.userClosePreview(); }); });
        m_sync->setPreview(m_preview);
    }
    m_preview->showPlaying(m_editor.isPlaying());
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce || event->spontaneous()) {
        return;
    }
    m_shownOnce = true;
    if (const QScreen* shownOn = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(shownOn->availableGeometry().center());
        move(frame.topLeft());
    }
    // The box is the first control in tab order that takes the focus.
    m_controls.TxtMessage->setFocus(Qt::ActiveWindowFocusReason);
    onBoxFocused();
    for (QListWidget* list : {m_controls.LstMessage, m_controls.LstSpeed}) {
        if (QListWidgetItem* current = list->currentItem()) {
            list->scrollToItem(current);
        }
    }
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    // Enter anywhere in the window presses the default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        forward([this] { m_editor.userPressEnter(); });
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::undoStep()
{
    forward([this] { m_editor.userUndo(); });
    // The box may have shown the same text before; the caret goes to its end all the same.
    m_controls.TxtMessage->setCursorPosition(static_cast<int>(m_editor.TxtMessage().caret()));
}

void Form1::redoStep()
{
    forward([this] { m_editor.userRedo(); });
    m_controls.TxtMessage->setCursorPosition(static_cast<int>(m_editor.TxtMessage().caret()));
}

} // namespace corvane
