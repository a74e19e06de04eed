#include "editor/Form1.h"

#include "editor/ControlTable.h"
#include "editor/ControlView.h"
#include "editor/ListWidgetSync.h"
#include "editor/MessageTextBox.h"
#include "editor/OneRowList.h"
#include "editor/PreviewWindow.h"
#include "editor/SaveDialogs.h"
#include "editor/StandardOpenDialogs.h"
#include "editor/StandardSaveDialogs.h"
#include "editor/TwipsLayout.h"
#include "editor/WindowStyle.h"
#include "editor/model/FlashUse.h"
#include "editor/model/PreviewInput.h"
#include "generator/MakerDetails.h"
#include "programfile/ProgramFile.h"
#include "programfile/ProgramLoading.h"
#include "resources/Resources.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShowEvent>
#include <QUrl>
#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>
#include <utility>

namespace corvane {

namespace {

constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 5955;

QFont NamedFont(const QStringList& families, qreal points, bool bold = false)
{
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont TahomaFont()
{
    return NamedFont({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")}, 8.25);
}

// The symbol buttons show Unicode symbols in a face that has them all.
QFont SymbolFont(qreal points)
{
    return NamedFont({QStringLiteral("DejaVu Sans")}, points);
}

// Every control of the window in creation order, with its twips rectangle
// and tab index. Labels, the frame and the pictures take no focus.
// clang-format off
constexpr ControlSpec kControls[] = {
    {"LblWidth",   nullptr,  ControlSpec::make<QLabel>,         120,  1440,  615,  255},
    {"TxtMessage", nullptr,  ControlSpec::make<MessageTextBox>, 120,  1800, 4455,  285,  0},
    {"OptScroll0", nullptr,  ControlSpec::make<QRadioButton>,   240,  2160,  615,  255,  1},
    {"OptScroll1", nullptr,  ControlSpec::make<QRadioButton>,   960,  2160,  735,  255, 10},
    {"OptScroll2", nullptr,  ControlSpec::make<QRadioButton>,  1800,  2160,  615,  255, 11},
    {"OptScroll3", nullptr,  ControlSpec::make<QRadioButton>,  2400,  2160,  735,  255, 12},
    {"LblSpeed",   nullptr,  ControlSpec::make<QLabel>,        3360,  2160,  615,  255},
    {"LstSpeed",   nullptr,  ControlSpec::make<OneRowList>,    3960,  2160,  495,  255,  2},
    {"CmdNext",    nullptr,  ControlSpec::make<QPushButton>,   1200,  2520, 1095,  375,  3},
    {"CmdDel",     nullptr,  ControlSpec::make<QPushButton>,   2400,  2520, 1095,  375,  4},
    {"Frame1",     nullptr,  ControlSpec::make<QGroupBox>,      120,  4560, 3015, 1335},
    {"Label1",     "Frame1", ControlSpec::make<QLabel>,         480,   240, 1215,  255},
    {"Label2",     "Frame1", ControlSpec::make<QLabel>,         480,   480, 1575,  255},
    {"Label3",     "Frame1", ControlSpec::make<QLabel>,         480,   720, 1575,  255},
    {"Label4",     "Frame1", ControlSpec::make<QLabel>,         480,   960, 1575,  255},
    {"PicFlg",     "Frame1", ControlSpec::make<QLabel>,         120,   240,  300,  210},
    {"CmdUp",      nullptr,  ControlSpec::make<QPushButton>,    240,  2520,  330,  465,  5},
    {"CmdDn",      nullptr,  ControlSpec::make<QPushButton>,    720,  2520,  330,  465,  6},
    {"CmdClear",   nullptr,  ControlSpec::make<QPushButton>,   4080,  2520,  375,  375,  7},
    {"CmdPlayOne", nullptr,  ControlSpec::make<QPushButton>,   3600,  2520,  375,  390,  8},
    {"LstMessage", nullptr,  ControlSpec::make<QListWidget>,    120,  3000, 4455, 1035,  9},
    {"CmdSave",    nullptr,  ControlSpec::make<QPushButton>,    960,  4080, 2775,  375, 13},
    {"Label5",     nullptr,  ControlSpec::make<QLabel>,         120,   120, 4455, 1215},
    {"CmbWidth",   nullptr,  ControlSpec::make<QComboBox>,      720,  1440,  615,  315, 14},
    {"LblLatch",   nullptr,  ControlSpec::make<QLabel>,        1800,  1440, 2400,  195},
    {"Image1",     nullptr,  ControlSpec::make<QLabel>,        3240,  4560, 1305, 1260},
};
// clang-format on

void SetColours(QWidget& widget, const QColor& text, const QColor& background)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// The one local .bas file a drag carries, if that is all it carries.
QString DraggedProgram(const QMimeData* data)
{
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return {};
    }
    const QUrl url = data->urls().front();
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    return path.endsWith(QStringLiteral(".bas"), Qt::CaseInsensitive) ? path : QString();
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_standardDialogs(std::make_unique<StandardSaveDialogs>()),
      m_saveDialogs(m_standardDialogs.get()),
      m_standardOpenDialogs(std::make_unique<StandardOpenDialogs>()),
      m_openDialogs(m_standardOpenDialogs.get())
{
    InitResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("QRV 1.1 - ") + Latin1(maker::kWebAddress));
    QIcon icon;
    icon.addPixmap(LoadPicture(QStringLiteral(":/corvane/icon-16.png"), "png"));
    icon.addPixmap(LoadPicture(QStringLiteral(":/corvane/icon-32.png"), "png"));
    setWindowIcon(icon);
    // The standard dialog font the layout was drawn for.
    setFont(NamedFont({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")}, 8.25));

    createControls();
    createHistoryActions();
    applyWindowStyle();
    syncView();
    applyLayout();
    ApplyTabOrder(*this, kControls);
    createActions();
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
    FillGlyphTable(m_glyphTable);
    m_editor.Form_Load();
    syncView();
}

void Form1::setSaveDialogs(SaveDialogs* dialogs)
{
    m_saveDialogs = dialogs != nullptr ? dialogs : m_standardDialogs.get();
}

void Form1::setOpenDialogs(OpenDialogs* dialogs)
{
    m_openDialogs = dialogs != nullptr ? dialogs : m_standardOpenDialogs.get();
}

void Form1::createActions()
{
    m_openAction = new QAction(tr("Open Program\u2026"), this);
    m_openAction->setObjectName(QStringLiteral("openAction"));
    m_openAction->setShortcut(QKeySequence::Open);
    m_openAction->setShortcutContext(Qt::WindowShortcut);
    connect(m_openAction, &QAction::triggered, this, &Form1::onOpenRequested);
    addAction(m_openAction);
    setAcceptDrops(true);
}

void Form1::onOpenRequested()
{
    if (m_syncing || !confirmLosingChanges(QString::fromLatin1(kOpenQuestion))) {
        return;
    }
    if (const QString path = m_openDialogs->askProgramToOpen(this); !path.isEmpty()) {
        loadProgramFile(path);
    }
}

bool Form1::openProgramFile(const QString& path)
{
    return confirmLosingChanges(QString::fromLatin1(kOpenQuestion)) && loadProgramFile(path);
}

bool Form1::loadProgramFile(const QString& path)
{
    auto loaded = LoadProgram(path, m_glyphTable);
    if (const auto* failure = std::get_if<QString>(&loaded)) {
        m_openDialogs->reportOpenFailure(this, *failure);
        return false;
    }
    bool opened = false;
    forward([&] { opened = m_editor.openProgram(std::get<ProgramDocument>(loaded)); });
    if (!opened) {
        m_openDialogs->reportOpenFailure(
            this,
            tr("The program \"%1\" could not be opened.\nIt holds more than the window takes.")
                .arg(QDir::toNativeSeparators(path)));
    }
    return opened;
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DraggedProgram(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void Form1::dropEvent(QDropEvent* event)
{
    const QString path = DraggedProgram(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // The drag's source waits for the drop to return; a failure's message box
    // is shown after it.
    QMetaObject::invokeMethod(
        this, [this, path] { openProgramFile(path); }, Qt::QueuedConnection);
}

void Form1::createControls()
{
    CreateControls(*this, kControls);
    const auto control = [this]<typename Widget>(Widget*& member, const char* name) {
        member = ControlOf<Widget>(*this, name);
    };

    control(m_LblWidth, "LblWidth");
    m_LblWidth->setText(QStringLiteral("Width :"));
    m_LblWidth->setToolTip(QStringLiteral("Select Width of LED Sign Board"));

    control(m_TxtMessage, "TxtMessage");
    m_TxtMessage->setFont(TahomaFont());
    // The box refuses the 257th character itself.
    m_TxtMessage->setMaxLength(static_cast<int>(m_editor.TxtMessage().maxLength()));

    static constexpr std::array<const char*, 4> kOptionNames = {"OptScroll0", "OptScroll1",
                                                                "OptScroll2", "OptScroll3"};
    m_OptScrollGroup = new QButtonGroup(this);
    for (std::size_t i = 0; i < m_OptScroll.size(); ++i) {
        control(m_OptScroll[i], kOptionNames[i]);
        m_OptScrollGroup->addButton(m_OptScroll[i], static_cast<int>(i));
    }

    control(m_LblSpeed, "LblSpeed");
    control(m_LstSpeed, "LstSpeed");
    m_LstSpeed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_LstSpeed->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_LstSpeed->setUniformItemSizes(true);

    control(m_CmdNext, "CmdNext");
    m_CmdNext->setDefault(true);
    control(m_CmdDel, "CmdDel");

    control(m_Frame1, "Frame1");
    m_Frame1->setTitle(QStringLiteral("About Me"));
    static constexpr std::array<const char*, 4> kAboutNames = {"Label1", "Label2", "Label3",
                                                               "Label4"};
    const std::array<std::string_view, 4> aboutTexts = {maker::kName, maker::kWebAddress,
                                                        maker::kEmail, maker::kTelephone};
    const std::array<QString, 4> aboutTooltips = {
        QStringLiteral("Name"), QStringLiteral("Web Site"), QStringLiteral("E-mail"),
        QStringLiteral("Mobile")};
    for (std::size_t i = 0; i < m_AboutLabels.size(); ++i) {
        control(m_AboutLabels[i], kAboutNames[i]);
        m_AboutLabels[i]->setText(Latin1(aboutTexts[i]));
        m_AboutLabels[i]->setToolTip(aboutTooltips[i]);
    }
    control(m_PicFlg, "PicFlg");
    m_PicFlg->setPixmap(LoadPicture(QStringLiteral(":/corvane/flag.gif"), "gif"));
    m_PicFlg->setScaledContents(true);
    m_PicFlg->setToolTip(QStringLiteral("Homeland"));

    control(m_CmdUp, "CmdUp");
    control(m_CmdDn, "CmdDn");
    control(m_CmdClear, "CmdClear");
    control(m_CmdPlayOne, "CmdPlayOne");
    for (QPushButton* button : {m_CmdUp, m_CmdDn}) {
        button->setFont(SymbolFont(12));
    }
    for (QPushButton* button : {m_CmdClear, m_CmdPlayOne}) {
        button->setFont(SymbolFont(10));
    }

    control(m_LstMessage, "LstMessage");
    m_LstMessage->setFont(TahomaFont());
    m_LstMessage->setUniformItemSizes(true);
    m_LstMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    control(m_CmdSave, "CmdSave");

    control(m_Label5, "Label5");
    m_Label5->setText(QStringLiteral("Corvane"));
    m_Label5->setFont(
        NamedFont({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")}, 18, true));
    m_Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_Label5->setWordWrap(true);
    m_Label5->setFrameStyle(QFrame::Box | QFrame::Plain);
    SetColours(*m_Label5, QColor(128, 0, 0), QColor(255, 255, 192));

    control(m_CmbWidth, "CmbWidth");
    for (const ListItem& item : m_editor.CmbWidth().items()) {
        m_CmbWidth->addItem(Latin1(item.text), item.itemData);
    }
    // About ten rows below the box, with a scroll bar (WindowStyle).
    m_CmbWidth->setMaxVisibleItems(10);

    control(m_LblLatch, "LblLatch");
    m_LblLatch->setFont(
        NamedFont({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")}, 8.25, true));
    SetColours(*m_LblLatch, QColor(255, 255, 0), QColor(0, 0, 0));

    control(m_Image1, "Image1");
    m_Image1->setPixmap(LoadPicture(QStringLiteral(":/corvane/board.gif"), "gif"));
    m_Image1->setScaledContents(true);
}

void Form1::applyWindowStyle()
{
    // A child made after the controls is destroyed after them.
    auto* style = new WindowStyle();
    style->setParent(this);
    for (const ControlSpec& control : kControls) {
        ControlOf<QWidget>(*this, control.name)->setStyle(style);
    }
}

void Form1::applyLayout()
{
    const qreal dpi = logicalDpiX();
    setFixedSize(TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi));
    PlaceControls(*this, kControls);

    // The substitute faces are wider than the ones the layout was drawn for;
    // these captions would be clipped, and the layout leaves room to their right.
    for (QWidget* widget : std::initializer_list<QWidget*>{
             m_OptScroll[0], m_OptScroll[1], m_OptScroll[2], m_OptScroll[3], m_AboutLabels[0],
             m_AboutLabels[1], m_AboutLabels[2], m_AboutLabels[3]}) {
        widget->resize(std::max(widget->width(), widget->sizeHint().width()), widget->height());
    }
    m_LblLatch->adjustSize();
}

void Form1::connectEvents()
{
    connect(m_TxtMessage, &MessageTextBox::focusEntered, this, &Form1::onBoxFocused);
    connect(m_TxtMessage, &MessageTextBox::focusLeft, this, &Form1::onBoxLeft);
    connect(m_TxtMessage, &MessageTextBox::aboutToEdit, this, [this] {
        // A keystroke or click in the box while the editor counts the focus
        // as elsewhere (a click that did not move Qt's focus): the box
        // receives it first.
        if (!m_editor.TxtMessage().hasFocus()) {
            onBoxFocused();
        }
    });
    connect(m_TxtMessage, &QLineEdit::textEdited, this, &Form1::onMessageEdited);
    connect(m_TxtMessage, &QLineEdit::returnPressed, this,
            [this] { forward([this] { m_editor.userPressEnter(); }); });

    connect(m_OptScrollGroup, &QButtonGroup::idClicked, this, [this](int id) {
        forward([this, id] { m_editor.userClickDirection(static_cast<std::size_t>(id)); });
    });

    // Arrow keys move the current row too and count as clicks.
    connect(m_LstMessage, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            forward([this, row] { m_editor.userClickMessage(static_cast<std::size_t>(row)); });
        }
    });
    connect(m_LstMessage, &QListWidget::itemSelectionChanged, this, &Form1::queueSync);
    connect(m_LstSpeed, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0) {
            forward([this, row] { m_editor.userClickSpeed(static_cast<std::size_t>(row)); });
        }
    });
    // A click on the speed already shown selects it again, which reads it
    // back into the current speed.
    connect(m_LstSpeed, &QAbstractItemView::pressed, this, [this](const QModelIndex& index) {
        forward(
            [this, row = index.row()] { m_editor.userClickSpeed(static_cast<std::size_t>(row)); });
    });
    connect(m_LstSpeed, &QListWidget::itemSelectionChanged, this, &Form1::queueSync);
    connect(m_CmbWidth, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) {
            forward([this, index] { m_editor.userClickWidth(static_cast<std::size_t>(index)); });
        }
    });

    const auto button = [this](QPushButton* control, void (MessageEditor::*click)()) {
        connect(control, &QPushButton::clicked, this,
                [this, click] { forward([this, click] { (m_editor.*click)(); }); });
    };
    button(m_CmdNext, &MessageEditor::userClickNext);
    button(m_CmdDel, &MessageEditor::userClickDelete);
    button(m_CmdClear, &MessageEditor::userClickClear);
    button(m_CmdUp, &MessageEditor::userClickUp);
    button(m_CmdDn, &MessageEditor::userClickDown);
    connect(m_CmdPlayOne, &QPushButton::clicked, this, &Form1::onPlayClicked);
    connect(m_CmdSave, &QPushButton::clicked, this, &Form1::onSaveClicked);
}

template <typename Action> void Form1::forward(Action&& action)
{
    // Signals raised while the widgets are being updated are not the user's.
    if (m_syncing) {
        return;
    }
    std::forward<Action>(action)();
    syncView();
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
        const auto caret = text.left(m_TxtMessage->cursorPosition()).toUtf8().size();
        m_editor.userEditText(std::string_view(bytes.constData(), bytes.size()),
                              static_cast<std::size_t>(caret));
    });
}

void Form1::onSaveClicked()
{
    if (m_syncing) {
        return;
    }
    saveProgram();
}

bool Form1::saveProgram()
{
    forward([this] { m_editor.userClickSave(); });
    const QString path = m_saveDialogs->askProgramPath(this);
    if (path.isEmpty()) {
        return false;
    }
    const ProgramDocument program = m_editor.prepareProgram();
    std::optional<WriteFailure> failure;
    try {
        failure = WriteProgram(path.toStdString(), program.entries, program.board, m_glyphTable);
    } catch (const std::exception& error) {
        failure = WriteFailure{path.toStdString(), error.what()};
    }
    syncView();
    if (failure) {
        m_saveDialogs->reportWriteFailure(
            this, tr("The program could not be saved as \"%1\".\n%2")
                      .arg(QDir::toNativeSeparators(QString::fromStdString(failure->path)),
                           QString::fromStdString(failure->reason)));
        return false;
    }
    m_editor.markSaved();
    warnIfTablesExceedFlash(program);
    return true;
}

void Form1::warnIfTablesExceedFlash(const ProgramDocument& program)
{
    const FlashUse use = FlashUseOf(program.entries, program.board.latchCount);
    if (use.exceedsFlash()) {
        m_saveDialogs->warnFlashExceeded(this, QString::fromStdString(use.overflowWarning()));
    }
}

void Form1::onPlayClicked()
{
    if (m_syncing) {
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
        syncPreview();
    }
    m_preview->showPlaying(m_editor.isPlaying());
}

void Form1::syncView()
{
    const QScopedValueRollback syncing(m_syncing, true);
    syncMessageBox();
    syncLists();
    syncButtons();
    syncPreview();
    syncHistoryActions();
}

void Form1::syncPreview()
{
    if (m_preview == nullptr) {
        return;
    }
    if (const auto input = PreviewInputOf(m_editor)) {
        m_preview->setInput(*input);
    }
    m_preview->setFlashUse(FlashUseOf(m_editor));
}

void Form1::syncMessageBox()
{
    const TextBox& box = m_editor.TxtMessage();
    const QString text = Latin1(box.text());
    // Setting the text clears the undo history and moves the caret, so only
    // a text the editor changed (or refused) is set.
    if (m_TxtMessage->text() != text) {
        m_TxtMessage->setText(text);
        m_TxtMessage->setCursorPosition(static_cast<int>(box.caret()));
    }
    // A selection the editor made is shown once; the user may then move away from it.
    if (box.changeCount() != m_shownBoxChanges) {
        m_shownBoxChanges = box.changeCount();
        if (box.hasSelection()) {
            m_TxtMessage->setSelection(static_cast<int>(box.anchor()),
                                       static_cast<int>(box.caret()) -
                                           static_cast<int>(box.anchor()));
        }
    }
    ShowControl(*m_TxtMessage, box);
    if (box.hasFocus() && focusWidget() != m_TxtMessage) {
        m_TxtMessage->setFocus(Qt::OtherFocusReason);
    }
}

void Form1::syncLists()
{
    const ListBox& messages = m_editor.LstMessage();
    SyncListWidget(*m_LstMessage, m_shownMessages, messages.items());
    ShowSelection(*m_LstMessage, messages.selectedIndex());
    ShowControl(*m_LstMessage, messages);

    const ListBox& speeds = m_editor.LstSpeed();
    SyncListWidget(*m_LstSpeed, m_shownSpeeds, speeds.items());
    ShowSelection(*m_LstSpeed, speeds.selectedIndex());
    ShowControl(*m_LstSpeed, speeds);

    const ListBox& widths = m_editor.CmbWidth();
    const auto width = widths.selectedIndex();
    const int widthIndex = width ? static_cast<int>(*width) : -1;
    if (m_CmbWidth->currentIndex() != widthIndex) {
        m_CmbWidth->setCurrentIndex(widthIndex);
    }
    ShowControl(*m_CmbWidth, widths);
}

void Form1::syncButtons()
{
    const OptionGroup& options = m_editor.OptScroll();
    for (std::size_t i = 0; i < m_OptScroll.size(); ++i) {
        ShowButton(*m_OptScroll[i], options.button(i));
    }
    if (QAbstractButton* selected = m_OptScroll.at(options.selectedIndex());
        !selected->isChecked()) {
        selected->setChecked(true);
    }

    const CaptionedControl& speedLabel = m_editor.LblSpeed();
    ShowControl(*m_LblSpeed, speedLabel);
    m_LblSpeed->setText(Latin1(speedLabel.caption()));

    ShowButton(*m_CmdNext, m_editor.CmdNext());
    ShowButton(*m_CmdDel, m_editor.CmdDel());
    ShowButton(*m_CmdSave, m_editor.CmdSave());
    ShowButton(*m_CmdUp, m_editor.CmdUp(), true);
    ShowButton(*m_CmdDn, m_editor.CmdDn(), true);
    ShowButton(*m_CmdClear, m_editor.CmdClear(), true);
    ShowButton(*m_CmdPlayOne, m_editor.CmdPlayOne(), true);

    const CaptionedControl& latch = m_editor.LblLatch();
    ShowControl(*m_LblLatch, latch);
    if (const QString caption = Latin1(latch.caption()); m_LblLatch->text() != caption) {
        m_LblLatch->setText(caption);
        m_LblLatch->adjustSize();
    }
}

void Form1::queueSync()
{
    // The selection changes before the current row does; by the time the
    // queued call runs, any click has reached the editor.
    if (m_syncing || m_syncQueued) {
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

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
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
    m_TxtMessage->setFocus(Qt::ActiveWindowFocusReason);
    onBoxFocused();
    for (QListWidget* list : {m_LstMessage, m_LstSpeed}) {
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
    QWidget::keyPressEvent(event);
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (confirmLosingChanges(QString::fromLatin1(kCloseQuestion))) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool Form1::confirmLosingChanges(const QString& question)
{
    if (!m_editor.isChanged()) {
        return true;
    }
    switch (m_saveDialogs->askSaveBeforeLosing(this, question)) {
    case SaveDialogs::Answer::Save:
        return saveProgram();
    case SaveDialogs::Answer::Discard:
        return true;
    case SaveDialogs::Answer::Cancel:
        break;
    }
    return false;
}

void Form1::createHistoryActions()
{
    m_undoAction = new QAction(this);
    m_undoAction->setObjectName(QStringLiteral("undoAction"));
    m_undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redoAction = new QAction(this);
    m_redoAction->setObjectName(QStringLiteral("redoAction"));
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {m_undoAction, m_redoAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    connect(m_undoAction, &QAction::triggered, this, &Form1::undoStep);
    connect(m_redoAction, &QAction::triggered, this, &Form1::redoStep);
    // The box has no undo of its own: its keys and menu take the window's steps.
    m_TxtMessage->setHistoryActions(m_undoAction, m_redoAction);

    m_LstMessage->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_LstMessage, &QWidget::customContextMenuRequested, this, &Form1::showMessageMenu);
}

void Form1::undoStep()
{
    forward([this] { m_editor.userUndo(); });
    // The box may have shown the same text before; the caret goes to its end all the same.
    m_TxtMessage->setCursorPosition(static_cast<int>(m_editor.TxtMessage().caret()));
}

void Form1::redoStep()
{
    forward([this] { m_editor.userRedo(); });
    m_TxtMessage->setCursorPosition(static_cast<int>(m_editor.TxtMessage().caret()));
}

void Form1::syncHistoryActions()
{
    const EditHistory& history = m_editor.history();
    const auto show = [](QAction& action, const QString& verb, std::string_view step,
                         bool enabled) {
        const QString text = step.empty() ? verb : verb + QLatin1Char(' ') + Latin1(step);
        if (action.text() != text) {
            action.setText(text);
        }
        action.setEnabled(enabled);
    };
    show(*m_undoAction, QStringLiteral("Undo"), history.undoName(), history.canUndo());
    show(*m_redoAction, QStringLiteral("Redo"), history.redoName(), history.canRedo());
}

QMenu* Form1::buildMessageMenu()
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("messageMenu"));
    menu->addAction(m_undoAction);
    menu->addAction(m_redoAction);
    menu->addSeparator();
    menu->addAction(m_openAction);
    return menu;
}

void Form1::showMessageMenu(const QPoint& position)
{
    QMenu* menu = buildMessageMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(m_LstMessage->viewport()->mapToGlobal(position));
}

} // namespace corvane
