#include "editor/window/Form1Controls.h"

#include "bascom/MakerDetails.h"
#include "editor/model/MessageEditor.h"
#include "editor/window/ControlTable.h"
#include "editor/window/ControlView.h"
#include "editor/window/MessageTextBox.h"
#include "editor/window/OneRowList.h"
#include "resources/Resources.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <string_view>

namespace corvane {

namespace {

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

void SetColours(QWidget& widget, const QColor& text, const QColor& background)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

// Every control of the window in creation order, with its twips rectangle
// and tab index. Labels, the frame and the pictures take no focus.
// clang-format off
constexpr ControlRow kControls[] = {
    {"LblWidth",   nullptr,  ControlRow::make<QLabel>,         120,  1440,  615,  255},
    {"TxtMessage", nullptr,  ControlRow::make<MessageTextBox>, 120,  1800, 4455,  285,  0},
    {"OptScroll0", nullptr,  ControlRow::make<QRadioButton>,   240,  2160,  615,  255,  1},
    {"OptScroll1", nullptr,  ControlRow::make<QRadioButton>,   960,  2160,  735,  255, 10},
    {"OptScroll2", nullptr,  ControlRow::make<QRadioButton>,  1800,  2160,  615,  255, 11},
    {"OptScroll3", nullptr,  ControlRow::make<QRadioButton>,  2400,  2160,  735,  255, 12},
    {"LblSpeed",   nullptr,  ControlRow::make<QLabel>,        3360,  2160,  615,  255},
    {"LstSpeed",   nullptr,  ControlRow::make<OneRowList>,    3960,  2160,  495,  255,  2},
    {"CmdNext",    nullptr,  ControlRow::make<QPushButton>,   1200,  2520, 1095,  375,  3},
    {"CmdDel",     nullptr,  ControlRow::make<QPushButton>,   2400,  2520, 1095,  375,  4},
    {"Frame1",     nullptr,  ControlRow::make<QGroupBox>,      120,  4560, 3015, 1335},
    {"Label1",     "Frame1", ControlRow::make<QLabel>,         480,   240, 1215,  255},
    {"Label2",     "Frame1", ControlRow::make<QLabel>,         480,   480, 1575,  255},
    {"Label3",     "Frame1", ControlRow::make<QLabel>,         480,   720, 1575,  255},
    {"Label4",     "Frame1", ControlRow::make<QLabel>,         480,   960, 1575,  255},
    {"PicFlg",     "Frame1", ControlRow::make<QLabel>,         120,   240,  300,  210},
    {"CmdUp",      nullptr,  ControlRow::make<QPushButton>,    240,  2520,  330,  465,  5},
    {"CmdDn",      nullptr,  ControlRow::make<QPushButton>,    720,  2520,  330,  465,  6},
    {"CmdClear",   nullptr,  ControlRow::make<QPushButton>,   4080,  2520,  375,  375,  7},
    {"CmdPlayOne", nullptr,  ControlRow::make<QPushButton>,   3600,  2520,  375,  390,  8},
    {"LstMessage", nullptr,  ControlRow::make<QListWidget>,    120,  3000, 4455, 1035,  9},
    {"CmdSave",    nullptr,  ControlRow::make<QPushButton>,    960,  4080, 2775,  375, 13},
    {"Label5",     nullptr,  ControlRow::make<QLabel>,         120,   120, 4455, 1215},
    {"CmbWidth",   nullptr,  ControlRow::make<QComboBox>,      720,  1440,  615,  315, 14},
    {"LblLatch",   nullptr,  ControlRow::make<QLabel>,        1800,  1440, 2400,  195},
    {"Image1",     nullptr,  ControlRow::make<QLabel>,        3240,  4560, 1305, 1260},
    // Over the lower part of the title box, which its one word leaves free.
    {"LblCut",     nullptr,  ControlRow::make<QLabel>,         240,   840, 4215,  450},
    // In the row Save leaves free: the way a message shows, and a scroll's pause.
    {"CmbWay",     nullptr,  ControlRow::make<QComboBox>,      120,  4080,  780,  315, 15},
    {"CmbPause",   nullptr,  ControlRow::make<QComboBox>,     3840,  4080,  735,  315, 16},
};
// clang-format on

} // namespace

std::span<const ControlRow> Form1Controls::Table()
{
    return kControls;
}

QFont Form1Controls::WindowFont()
{
    return NamedFont({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")}, 8.25);
}

Form1Controls Form1Controls::SetUp(QWidget& window, const MessageEditor& editor)
{
    Form1Controls c;
    const auto control = [&window]<typename Widget>(Widget*& member, const char* name) {
        member = ControlOf<Widget>(window, name);
    };

    control(c.LblWidth, "LblWidth");
    c.LblWidth->setText(QStringLiteral("Width :"));
    c.LblWidth->setToolTip(QStringLiteral("Select Width of LED Sign Board"));

    control(c.TxtMessage, "TxtMessage");
    c.TxtMessage->setFont(TahomaFont());
    // The box refuses the 257th character itself.
    c.TxtMessage->setMaxLength(static_cast<int>(editor.TxtMessage().maxLength()));

    static constexpr std::array<const char*, 4> kOptionNames = {"OptScroll0", "OptScroll1",
                                                                "OptScroll2", "OptScroll3"};
    for (std::size_t i = 0; i < c.OptScroll.size(); ++i) {
        control(c.OptScroll[i], kOptionNames[i]);
    }

    control(c.LblSpeed, "LblSpeed");
    control(c.LstSpeed, "LstSpeed");
    c.LstSpeed->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c.LstSpeed->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.LstSpeed->setUniformItemSizes(true);

    control(c.CmdNext, "CmdNext");
    c.CmdNext->setDefault(true);
    control(c.CmdDel, "CmdDel");

    control(c.Frame1, "Frame1");
    c.Frame1->setTitle(QStringLiteral("About Me"));
    static constexpr std::array<const char*, 4> kAboutNames = {"Label1", "Label2", "Label3",
                                                               "Label4"};
    const std::array<std::string_view, 4> aboutTexts = {maker::kName, maker::kWebAddress,
                                                        maker::kEmail, maker::kTelephone};
    const std::array<QString, 4> aboutTooltips = {
        QStringLiteral("Name"), QStringLiteral("Web Site"), QStringLiteral("E-mail"),
        QStringLiteral("Mobile")};
    for (std::size_t i = 0; i < c.AboutLabels.size(); ++i) {
        control(c.AboutLabels[i], kAboutNames[i]);
        c.AboutLabels[i]->setText(Latin1(aboutTexts[i]));
        c.AboutLabels[i]->setToolTip(aboutTooltips[i]);
    }
    control(c.PicFlg, "PicFlg");
    c.PicFlg->setPixmap(LoadPicture(QStringLiteral(":/corvane/flag.gif"), "gif"));
    c.PicFlg->setScaledContents(true);
    c.PicFlg->setToolTip(QStringLiteral("Homeland"));

    control(c.CmdUp, "CmdUp");
    control(c.CmdDn, "CmdDn");
    control(c.CmdClear, "CmdClear");
    control(c.CmdPlayOne, "CmdPlayOne");
    for (QPushButton* button : {c.CmdUp, c.CmdDn}) {
        button->setFont(SymbolFont(12));
    }
    for (QPushButton* button : {c.CmdClear, c.CmdPlayOne}) {
        button->setFont(SymbolFont(10));
    }

    control(c.LstMessage, "LstMessage");
    c.LstMessage->setFont(TahomaFont());
    c.LstMessage->setUniformItemSizes(true);
    c.LstMessage->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    control(c.CmdSave, "CmdSave");

    control(c.Label5, "Label5");
    c.Label5->setText(QStringLiteral("Corvane"));
    c.Label5->setFont(
        NamedFont({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")}, 18, true));
    c.Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    c.Label5->setWordWrap(true);
    c.Label5->setFrameStyle(QFrame::Box | QFrame::Plain);
    SetColours(*c.Label5, QColor(128, 0, 0), QColor(255, 255, 192));

    control(c.CmbWidth, "CmbWidth");
    for (const ListItem& item : editor.CmbWidth().items()) {
        c.CmbWidth->addItem(Latin1(item.text), item.itemData);
    }
    // About ten rows below the box, with a scroll bar (WindowStyle).
    c.CmbWidth->setMaxVisibleItems(10);

    control(c.LblLatch, "LblLatch");
    c.LblLatch->setFont(
        NamedFont({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")}, 8.25, true));
    SetColours(*c.LblLatch, QColor(255, 255, 0), QColor(0, 0, 0));

    control(c.Image1, "Image1");
    c.Image1->setPixmap(LoadPicture(QStringLiteral(":/corvane/board.gif"), "gif"));
    c.Image1->setScaledContents(true);

    control(c.LblCut, "LblCut");
    c.LblCut->setAlignment(Qt::AlignCenter);
    c.LblCut->setWordWrap(true);
    SetColours(*c.LblCut, QColor(128, 0, 0), QColor(255, 255, 192));
    c.LblCut->hide();

    control(c.CmbWay, "CmbWay");
    c.CmbWay->addItems(
        {QStringLiteral("Scroll"), QStringLiteral("Still"), QStringLiteral("Blink")});
    c.CmbWay->setToolTip(QStringLiteral("Scroll, stand still or blink, page by page"));
    c.CmbWay->setAccessibleName(QStringLiteral("Way"));

    control(c.CmbPause, "CmbPause");
    for (int seconds = 0; seconds <= kMaxPause; ++seconds) {
        c.CmbPause->addItem(QStringLiteral("%1 s").arg(seconds));
    }
    c.CmbPause->setToolTip(QStringLiteral("Pause of a scroll where it stops, in seconds"));
    c.CmbPause->setAccessibleName(QStringLiteral("Pause"));
    return c;
}

} // namespace corvane
