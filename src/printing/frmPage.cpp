#include "frmPage.h"

#include "PageArea.h"
#include "TextBoxLines.h"
#include "common/PathText.h"
#include "common/ProductTitle.h"
#include "common/SvgIcon.h"
#include "common/Twips.h"
#include "platform/BusyPointer.h"
#include "platform/Clock.h"
#include "platform/CommonDialog.h"
#include "platform/MessageBoxes.h"
#include "platform/Printer.h"
#include "printing/ReportLayout.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPicture>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTextEdit>
#include <QThread>
#include <QToolButton>
#include <QWindow>

namespace {

// The client area as designed, twips.
constexpr QSize DesignSize { 11370, 15075 };

constexpr QRect HeaderPlace { 840, 250, 9825, 450 };
constexpr QRect PrintButtonPlace { 10680, 270, 645, 435 };
constexpr QRect PagePlace { 840, 900, 9795, 11790 };
constexpr QRect DatePlace { 840, 13200, 3015, 255 };
constexpr QRect NamePlace { 840, 14040, 3015, 225 };
constexpr QRect FooterPlace { 840, 14520, 9855, 600 };

// Keep Proportions as last chosen: a preview opened later in the run starts
// with it.
bool KeepProportionsChoice = false;

// Gaps of the layout, twips: below the header, above the footer, and
// between the "Date" label and the footer when printing.
constexpr int HeaderGap = 200;
constexpr int FooterGap = 50;
constexpr int PrintFooterGap = 250;
constexpr int PrintHeaderTop = 250;

// The lines Lines(0) to Lines(4): from (X1, Y1) to (X2, Y2), twips, and
// their width in pixels.
struct LinePlace {
    int X1;
    int Y1;
    int X2;
    int Y2;
    int BorderWidth;
};
constexpr std::array<LinePlace, 5> LinePlaces = { {
    { 840, 13110, 3840, 13110, 1 },
    { 840, 13920, 3840, 13920, 1 },
    { 4800, 13110, 10560, 13110, 1 },
    { 4800, 13530, 10560, 13530, 1 },
    { 4800, 13950, 10560, 13950, 1 },
} };

QRect PixelRect(const QRect& twips)
{
    const auto pixels = [](int value) { return qRound(double(value) / TwipsPerPixel); };
    return { pixels(twips.left()), pixels(twips.top()), pixels(twips.width()), pixels(twips.height()) };
}

QFont ArialFont(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QTextEdit* TextBox(const QString& name, const QString& text, const QFont& font, QWidget* parent)
{
    auto* box = new QTextEdit(parent);
    box->setObjectName(name);
    box->setAcceptRichText(false);
    box->setTabChangesFocus(true);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->document()->setDocumentMargin(2);
    box->setFont(font);
    box->setPlainText(text);
    box->setAccessibleDescription(QStringLiteral("A double click chooses its font"));
    return box;
}

// The width of a text in twips, in a font as the screen shows it: the
// widest of its lines.
double TextWidth(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font);
    double width = 0;
    for (const QString& line : text.split(u'\n'))
        width = qMax(width, metrics.horizontalAdvance(line));
    return width * TwipsPerPixel;
}

// What the page area shows while the pictures of a page are decoded: a line
// at its top, in twips.
QPicture ComposingSign(int width)
{
    QPicture sign;
    QPainter painter(&sign);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(12 * 20);
    painter.setFont(font);
    painter.setPen(Qt::darkGray);
    painter.drawText(QRect(0, 0, width, 1200), Qt::AlignCenter, QStringLiteral("Composing..."));
    painter.end();
    return sign;
}

// Paints a widget at once, before the work that follows holds the program:
// a window just shown first gets a moment to appear; a hidden one has nothing
// to paint.
void PaintNow(QWidget* widget)
{
    const QWindow* shown = widget->window()->windowHandle();
    const QDeadlineTimer deadline(500);
    while (shown && !shown->isExposed() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(5);
    }
    widget->repaint();
}

} // namespace

frmPage::frmPage(Platform platform, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmPage"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Print Preview"));
    setWindowIcon(SvgIcon(QStringLiteral(":/artwork/printer.svg"), QSize(16, 16)));
    // The window's own font: the labels show in it, and the header is
    // centred by the width of its text in it.
    setFont(ArialFont(8.25, false));
    createControls();
    createMenus();

    // The design's client size, or as much of it as the screen holds; the
    // rest scrolls. A window cut short gets room for the scroll bar beside
    // the page, so that it need not scroll sideways too.
    const QSize design = PixelRect(QRect(QPoint(), DesignSize)).size() + QSize(0, menuBar()->sizeHint().height());
    QSize size = design;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize room = screen->availableSize() - QSize(16, 48);
        if (room.height() < design.height())
            size.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        size = size.boundedTo(room);
    }
    resize(size);
}

void frmPage::createControls()
{
    Scroller = new QScrollArea(this);
    Scroller->setObjectName(QStringLiteral("PageScroller"));
    Scroller->setAccessibleName(QStringLiteral("Page preview"));
    Scroller->setFrameShape(QFrame::NoFrame);
    Scroller->setWidgetResizable(true);
    Client = new QWidget(Scroller);
    Client->setObjectName(QStringLiteral("Client"));
    Client->setMinimumSize(PixelRect(QRect(QPoint(), DesignSize)).size());
    Scroller->setWidget(Client);
    setCentralWidget(Scroller);

    txtHeader = TextBox(
        QStringLiteral("txtHeader"), QStringLiteral("Header Text : Click to Change"), ArialFont(14.25, true), Client);
    Move(txtHeader, HeaderPlace);
    txtHeader->setAccessibleName(QStringLiteral("Header"));

    cmdPrint = new QToolButton(Client);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPrint->setToolTip(QStringLiteral("Print"));
    cmdPrint->setAccessibleName(QStringLiteral("Print"));
    cmdPrint->setIcon(SvgIcon(QStringLiteral(":/artwork/printer.svg"), QSize(16, 16)));
    cmdPrint->setIconSize(QSize(16, 16));
    Move(cmdPrint, PrintButtonPlace);
    connect(cmdPrint, &QToolButton::clicked, this, &frmPage::cmdPrint_Click);

    PrnBox = new PageArea(Client);
    PrnBox->setObjectName(QStringLiteral("PrnBox"));
    PrnBox->setAccessibleName(QStringLiteral("Report page"));
    Move(PrnBox, PagePlace);

    for (int i = 0; i < int(Lines.size()); ++i) {
        const LinePlace& line = LinePlaces[size_t(i)];
        auto* frame = new QFrame(Client);
        frame->setObjectName(QStringLiteral("Lines%1").arg(i));
        frame->setAutoFillBackground(true);
        QPalette palette = frame->palette();
        palette.setColor(QPalette::Window, Qt::black);
        frame->setPalette(palette);
        const QRect pixels = PixelRect(QRect(QPoint(line.X1, line.Y1), QPoint(line.X2, line.Y2)));
        frame->setGeometry(pixels.left(), pixels.top(), pixels.width(), line.BorderWidth);
        Lines[size_t(i)] = frame;
    }

    lbDate = new QLabel(QStringLiteral("Review"), Client);
    lbDate->setObjectName(QStringLiteral("lbDate"));
    Move(lbDate, DatePlace);
    lbName = new QLabel(QStringLiteral("Date"), Client);
    lbName->setObjectName(QStringLiteral("lbName"));
    Move(lbName, NamePlace);
    // The page area moved down by "Footer" covers the signature lines and
    // labels; they must not show through it as if they were on the page.
    PrnBox->raise();

    txtfooter = TextBox(
        QStringLiteral("txtfooter"), QStringLiteral("Footer Text : Click to Change"), ArialFont(8.25, true), Client);
    Move(txtfooter, FooterPlace);
    txtfooter->setAccessibleName(QStringLiteral("Footer"));

    // A double click chooses the box's font.
    txtHeader->viewport()->installEventFilter(this);
    txtfooter->viewport()->installEventFilter(this);
}

void frmPage::createMenus()
{
    const auto command = [this](const QString& name, const QString& caption) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    mnuPrint = command(QStringLiteral("mnuPrint"), QStringLiteral("Print"));
    mnuHeader = command(QStringLiteral("mnuHeader"), QStringLiteral("Header"));
    mnuFooter = command(QStringLiteral("mnuFooter"), QStringLiteral("Footer"));
    mnuOptions = menuBar()->addMenu(QStringLiteral("Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuDamageList = mnuOptions->addAction(QStringLiteral("Damage List"));
    mnuDamageList->setObjectName(QStringLiteral("mnuDamageList"));
    mnuDamageList->setToolTip(QStringLiteral("Print a second page listing every marker with its details"));
    mnuDamageList->setCheckable(true);
    mnuKeepProportions = mnuOptions->addAction(QStringLiteral("Keep Proportions"));
    mnuKeepProportions->setObjectName(QStringLiteral("mnuKeepProportions"));
    mnuKeepProportions->setToolTip(QStringLiteral("Draw each picture in its own proportions, its markers over it"));
    mnuKeepProportions->setCheckable(true);
    mnuKeepProportions->setChecked(KeepProportionsChoice);
    connect(mnuKeepProportions, &QAction::toggled, this, [this](bool on) {
        KeepProportionsChoice = on;
        DrawPage();
    });
    connect(mnuPrint, &QAction::triggered, this, &frmPage::mnuPrint_Click);
    connect(mnuHeader, &QAction::triggered, this, &frmPage::mnuHeader_Click);
    connect(mnuFooter, &QAction::triggered, this, &frmPage::mnuFooter_Click);
}

void frmPage::Move(QWidget* control, const QRect& twips)
{
    m_twips.insert(control, twips);
    control->setGeometry(PixelRect(twips));
}

void frmPage::MoveTop(QWidget* control, int top)
{
    QRect twips = Twips(control);
    twips.moveTop(top);
    Move(control, twips);
}

bool frmPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == txtHeader->viewport())
            txtHeader_DblClick();
        else if (watched == txtfooter->viewport())
            txtfooter_DblClick();
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmPage::Compose(const QString& fileName, const QList<GroupPicture>& groupSlots, const QString& carValue)
{
    show();
    raise();
    activateWindow();
    if (!fileName.isEmpty())
        txtHeader->setPlainText(FileNameFromPath(fileName));
    txtfooter->setPlainText(m_platform.Time.NowText());
    m_slots = groupSlots;
    DrawPage();
    m_damageList = DamageList(groupSlots);
    m_carValue = carValue;
}

void frmPage::DrawPage()
{
    // Decoding the pictures takes a while: the page says so until it is ready.
    const BusyPointer busy;
    PrnBox->SetDrawing(ComposingSign(Twips(PrnBox).width()));
    PaintNow(PrnBox);
    // A new composition replaces the page: a marker deleted or moved since
    // the last one does not stay on it.
    const ReportLayout layout = LayoutReport(Twips(PrnBox).width(), m_slots, mnuKeepProportions->isChecked());
    QPicture page;
    QPainter painter(&page);
    PaintReportPage(painter, layout);
    painter.end();
    PrnBox->SetDrawing(page);
}

void frmPage::mnuPrint_Click()
{
    Print();
}

void frmPage::cmdPrint_Click()
{
    Print();
}

void frmPage::txtHeader_DblClick()
{
    ChangeFont(txtHeader);
}

void frmPage::txtfooter_DblClick()
{
    ChangeFont(txtfooter);
}

void frmPage::mnuHeader_Click()
{
    txtfooter->hide();
    txtHeader->show();
    const QRect header = Twips(txtHeader);
    MoveTop(PrnBox, header.top() + header.height() + HeaderGap);
    txtHeader->setFocus();
    Scroller->ensureWidgetVisible(txtHeader);
}

void frmPage::mnuFooter_Click()
{
    txtHeader->hide();
    txtfooter->show();
    // The footer sits on the bottom edge of the window's client area.
    const int innerHeight = Client->height() * TwipsPerPixel;
    MoveTop(txtfooter, innerHeight - Twips(txtfooter).height());
    MoveTop(PrnBox, Twips(txtfooter).top() - Twips(PrnBox).height() - FooterGap);
    txtfooter->setFocus();
    Scroller->ensureWidgetVisible(txtfooter);
}

void frmPage::ChangeFont(QTextEdit* tb)
{
    try {
        // The dialog belongs to the preview, which stays in front of the main
        // window after it, whatever the window manager did meanwhile.
        const std::optional<FontChoice> choice = m_platform.Dlg.ShowFont(tb->font(), this);
        raise();
        activateWindow();
        if (!choice)
            return;
        QFont font = tb->font();
        font.setFamily(choice->Font.family());
        font.setPointSizeF(choice->Font.pointSizeF());
        font.setBold(choice->Font.bold());
        font.setItalic(choice->Font.italic());
        font.setUnderline(choice->Font.underline());
        tb->setFont(font);
        QPalette palette = tb->palette();
        palette.setColor(QPalette::Text, choice->Color);
        tb->setPalette(palette);
    } catch (const std::exception&) {
        // What was applied before the failure stays; there is nothing to say.
    }
}

void frmPage::Print()
{
    // The window takes no input while the printer dialog is up and the
    // copies go out, so nothing changes what is being printed and no second
    // print starts inside the first. A cancel or a failure gives it back.
    setEnabled(false);
    try {
        const std::optional<int> copies = m_platform.Dlg.ShowPrinter(this);
        raise();
        activateWindow();
        if (!copies) {
            setEnabled(true);
            return;
        }
        const BusyPointer busy;
        // The layout the paper gets, shown in the window too.
        MoveTop(txtHeader, PrintHeaderTop);
        const QRect header = Twips(txtHeader);
        MoveTop(PrnBox, header.top() + header.height() + HeaderGap);
        const QRect name = Twips(lbName);
        Move(txtfooter,
            QRect(header.left(), name.top() + name.height() + PrintFooterGap, Twips(txtfooter).width(),
                Twips(txtfooter).height()));

        // Copies sent to a printer are documents of their own; copies
        // written to a file are pages of one document, since a second
        // document would overwrite the first.
        const int count = qint16(*copies);
        const bool oneDocument = m_platform.Prn.WritesFile();
        for (int copy = 1; copy <= count; ++copy) {
            if (oneDocument && copy > 1)
                m_platform.Prn.NewPage();
            PrintPage();
            if (mnuDamageList->isChecked())
                PrintDamageList();
            if (!oneDocument || copy == count)
                m_platform.Prn.EndDoc();
        }
    } catch (const std::exception& failure) {
        m_platform.Prn.KillDoc();
        setEnabled(true);
        m_platform.Msg.Show(
            QString::fromUtf8(failure.what()), RoutineTitle("Print"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    close();
}

void frmPage::PrintPage()
{
    Printer& printer = m_platform.Prn;
    const QRect header = Twips(txtHeader);
    const QString headerText = txtHeader->toPlainText();
    printer.SetFont(txtHeader->font());
    printer.SetCurrentX((header.width() + header.left() - TextWidth(headerText, font())) / 2);
    printer.SetCurrentY(header.top());
    printer.PrintText(headerText);

    printer.DrawPicture(Twips(PrnBox).left(), Twips(PrnBox).top(), PrnBox->Drawing());

    PrintLabel(lbDate);
    PrintLabel(lbName);

    for (const LinePlace& line : LinePlaces) {
        printer.SetPenWidth(line.BorderWidth);
        printer.DrawLine(line.X1, line.Y1, line.X2, line.Y2);
    }

    const QStringList footerLines = TextBoxGetLines(txtfooter, false);
    const QRect footer = Twips(txtfooter);
    printer.SetFont(txtfooter->font());
    printer.SetCurrentY(footer.top());
    for (const QString& line : footerLines) {
        printer.SetCurrentX(footer.left());
        printer.PrintText(line);
    }
}

void frmPage::PrintLabel(const QLabel* label)
{
    Printer& printer = m_platform.Prn;
    printer.SetCurrentX(Twips(label).left());
    printer.SetCurrentY(Twips(label).top());
    printer.SetFont(label->font());
    printer.PrintText(label->text());
}

void frmPage::PrintDamageList()
{
    const QRect header = Twips(txtHeader);
    const QRect footer = Twips(txtfooter);
    const QRectF page(
        QPointF(header.left(), header.top()), QPointF(footer.left() + footer.width(), footer.top() + footer.height()));
    QPicture list;
    QPainter painter(&list);
    PaintDamageList(painter, page, m_damageList, m_carValue);
    painter.end();
    m_platform.Prn.NewPage();
    m_platform.Prn.DrawPicture(0, 0, list);
}
