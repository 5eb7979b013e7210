// SPDX-License-Identifier: GPL-3.0-or-later
// Builds widgets, menus and window frames from their descriptions as data.
#include "forms/formbuilder.h"

#include "forms/accessibility.h"
#include "forms/characterlimit.h"
#include "forms/picture.h"
#include "forms/picturebutton.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProxyStyle>
#include <QPushButton>

#include <algorithm>

namespace quivara::forms {
namespace {

QColor toColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// The dialog font of the classic desktop: its sans serif at 8 points.
constexpr double kDialogPoints = 8;

// Each face's own family first, then the free family that stands in for it
// (Debian packages listed in tools/packages/linux-build.txt), then a last resort.
QStringList familiesFor(Face face)
{
    switch (face) {
    case Face::Dialog:
    case Face::SansSerif: // fonts-liberation: a plain grotesque like the classic dialog face
        return {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    case Face::Arial: // fonts-liberation: metric-compatible with Arial
        return {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    case Face::Balogna: // fonts-dancingscript, else fonts-urw-base35's URW Chancery
        return {QStringLiteral("Balogna"), QStringLiteral("Dancing Script"), QStringLiteral("Z003"),
                QStringLiteral("URW Chancery L"), QStringLiteral("DejaVu Serif")};
    case Face::Bookplate: // fonts-urw-base35: URW Bookman, a display serif
        return {QStringLiteral("Bookplate"), QStringLiteral("URW Bookman"), QStringLiteral("Liberation Serif"),
                QStringLiteral("DejaVu Serif")};
    }
    return {};
}

// Balogna is a narrow display face; its script stand-ins are drawn at this
// width (percent) so the splash's monogram fits its label as the original did.
constexpr int kBalognaStandInStretch = 80;

// Shows every character of a password field as "?".
class QuestionMarkStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'?';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

QStyle *questionMarkStyle()
{
    static QuestionMarkStyle *style = new QuestionMarkStyle; // lives as long as the process
    return style;
}

void applyText(QWidget *w, const ControlDesign &design)
{
    w->setFont(fontFor(design.font));
    if (design.fore.isSet())
        setForeground(w, design.fore);
    if (design.back.isSet() && design.kind == Kind::PictureButton) {
        QPalette palette = w->palette();
        palette.setColor(QPalette::Button, toColor(design.back));
        w->setPalette(palette);
    } else if (design.back.isSet()) {
        setBackground(w, design.back);
    }
}

QWidget *makeLabel(QWidget *parent, const ControlDesign &design)
{
    // Marked before it gets its text: setting a text announces the label, and the
    // interface made for that announcement is kept for the label's whole life.
    auto *label = new QLabel(parent);
    markReadout(label);
    label->setText(qstr(design.caption));
    label->setAlignment(design.align == Align::Centre ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop));
    label->setWordWrap(design.wordWrap);
    label->setTextFormat(Qt::PlainText);
    if (design.back.r == kTransparent.r)
        label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

QWidget *makeField(QWidget *parent, const ControlDesign &design)
{
    // An empty field is made without setting its text: setting it announces a
    // cursor move, which makes Qt build an accessibility record for every field.
    auto *field = design.caption.empty() ? new QLineEdit(parent) : new QLineEdit(qstr(design.caption), parent);
    if (design.maxLength > 0) {
        // A limit in whole characters.
        field->setMaxLength(CharacterLimit::unitsFor(design.maxLength));
        field->setValidator(new CharacterLimit(design.maxLength, field));
    }
    if (design.kind == Kind::MaskedField) {
        field->setStyle(questionMarkStyle());
        // A password field reports only its mask characters to assistive
        // technology; the hints keep input methods from learning the code.
        field->setEchoMode(QLineEdit::Password);
        field->setInputMethodHints(Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    }
    return field;
}

QWidget *makePicture(QWidget *parent, const ControlDesign &design)
{
    auto *picture = new QLabel(parent);
    picture->setPixmap(loadPicture(design.picture));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (design.kind == Kind::PictureBox)
        picture->setFrameStyle((design.autoSize ? QFrame::WinPanel : QFrame::Panel) | QFrame::Sunken);
    return picture;
}

QWidget *makePictureButton(QWidget *parent, const ControlDesign &design)
{
    return new PictureButton(qstr(design.caption), loadPicture(design.picture), parent);
}

QWidget *makeLine(QWidget *parent, const ControlDesign &design)
{
    auto *line = new QFrame(parent);
    setBackground(line, design.fore.isSet() ? design.fore : kBlack);
    return line;
}

} // namespace

QFont fontFor(const FontDesign &design)
{
    QFont font;
    font.setFamilies(familiesFor(design.face));
    font.setPointSizeF(design.points > 0 ? design.points : kDialogPoints);
    font.setBold(design.bold);
    if (design.face == Face::Balogna && QFontInfo(font).family() != QLatin1String("Balogna"))
        font.setStretch(kBalognaStandInStretch);
    return font;
}

QPixmap loadPicture(std::string_view path)
{
    const QString file = qstr(path);
    if (qApp && qApp->devicePixelRatio() > 1.0) {
        QString sharp = file;
        sharp.insert(sharp.lastIndexOf(u'.'), QLatin1String("@2x"));
        QPixmap twice(sharp);
        if (!twice.isNull()) {
            twice.setDevicePixelRatio(2.0);
            return twice;
        }
    }
    return picture(path);
}

void loadFonts(std::span<const FontDesign> fonts)
{
    // Drawing a text loads the font's engine and renders its glyphs into Qt's
    // caches, which the windows' own painting then finds ready.
    const QString sample = QStringLiteral("0123456789ox->JugandoListopuedempzrNBMT&");
    QImage scratch(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    auto draw = [&](const QFont &font) {
        painter.setFont(font);
        painter.drawText(0, 8, sample);
    };
    draw(QApplication::font());
    for (const FontDesign &design : fonts)
        draw(fontFor(design));
}

void setBackground(QWidget *widget, Rgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setForeground(QWidget *widget, Rgb colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, toColor(colour));
    palette.setColor(QPalette::ButtonText, toColor(colour));
    widget->setPalette(palette);
}

QWidget *buildControl(QWidget *parent, const ControlDesign &design)
{
    QWidget *w = nullptr;
    switch (design.kind) {
    case Kind::Label: w = makeLabel(parent, design); break;
    case Kind::Button: w = new QPushButton(qstr(design.caption), parent); break;
    case Kind::PictureButton: w = makePictureButton(parent, design); break;
    case Kind::Field:
    case Kind::MaskedField: w = makeField(parent, design); break;
    case Kind::Picture:
    case Kind::PictureBox: w = makePicture(parent, design); break;
    case Kind::Line: w = makeLine(parent, design); break;
    }
    w->setObjectName(qstr(design.name));
    if (design.kind != Kind::Line) // a line's colour is its background, set above
        applyText(w, design);
    if (!design.accessibleName.empty())
        setAccessibleName(w, qstr(design.accessibleName));
    QRect r = toPixels(design.rect);
    if (design.kind == Kind::Line) {
        // A line's rectangle runs from its first point; one of its sides is zero.
        r.setWidth(qMax(design.lineWidth, r.width()));
        r.setHeight(qMax(design.lineWidth, r.height()));
    } else if (design.autoSize && (design.kind == Kind::Picture || design.kind == Kind::PictureBox)) {
        auto *frame = static_cast<QFrame *>(w);
        const int border = 2 * frame->frameWidth();
        // In device-independent pixels: a high-density picture has more pixels, not more room.
        r.setSize(static_cast<QLabel *>(w)->pixmap().deviceIndependentSize().toSize() + QSize(border, border));
    }
    w->setGeometry(r);
    if (design.hidden)
        w->setVisible(false);
    return w;
}

void buildControls(QWidget *parent, std::span<const ControlDesign> designs)
{
    for (const ControlDesign &design : designs)
        buildControl(parent, design);
}

void setTabChain(const std::vector<QWidget *> &chain)
{
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void buildMenuBar(QMenuBar *bar, std::span<const MenuItemDesign> items)
{
    bar->setObjectName(QStringLiteral("menuBar"));
    for (const MenuItemDesign &item : items) {
        QAction *action = nullptr;
        const bool isTitle = item.parent.empty()
            && std::any_of(items.begin(), items.end(), [&](const MenuItemDesign &o) { return o.parent == item.name; });
        if (isTitle) {
            QMenu *menu = bar->addMenu(qstr(item.caption));
            menu->setObjectName(qstr(item.name));
            action = menu->menuAction();
        } else if (item.parent.empty()) {
            action = bar->addAction(qstr(item.caption));
        } else {
            auto *menu = bar->findChild<QMenu *>(qstr(item.parent), Qt::FindDirectChildrenOnly);
            Q_ASSERT(menu);
            action = menu->addAction(qstr(item.caption));
        }
        action->setObjectName(qstr(item.name));
        action->setEnabled(item.enabled);
        if (item.shortcut != 0)
            action->setShortcut(QKeySequence(item.shortcut));
    }
}

const QIcon &gameIcon()
{
    static const QIcon icon = [] {
        QIcon sizes;
        sizes.addPixmap(picture(kIconPicture));
        for (std::string_view file : {kIcon2xPicture, kIcon48Picture, kIcon256Picture})
            sizes.addFile(qstr(file));
        return sizes;
    }();
    return icon;
}

} // namespace quivara::forms

namespace quivara::forms {

QWidget *setUpWindow(QMainWindow *window, std::string_view name, std::string_view caption, Frame frame,
                     int clientWidth, int clientHeight, Rgb background)
{
    window->setObjectName(qstr(name));
    window->setWindowTitle(qstr(caption));
    window->setWindowIcon(gameIcon());
    if (frame == Frame::FixedDialog) {
        // A dialog without an owner gets no taskbar button.
        window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                               | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    } else {
        window->setWindowFlags(Qt::Window);
    }
    auto *client = new QWidget(window);
    client->setObjectName(QStringLiteral("client"));
    markForm(client);
    client->setFixedSize(toPixels(clientWidth, clientHeight));
    setBackground(client, background);
    window->setCentralWidget(client);
    setBackground(window, background);
    if (frame == Frame::FixedDialog)
        window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    else // Controls keep their places when the window grows; they sit top-left.
        client->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return client;
}

void centreOnScreen(QWidget *window)
{
    window->adjustSize();
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

} // namespace quivara::forms
