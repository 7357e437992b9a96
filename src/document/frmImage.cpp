#include "frmImage.h"

#include "NameFields.h"
#include "ProductTitle.h"
#include "ScreenBackground.h"
#include "SvgPicture.h"
#include "common/PathText.h"
#include "common/SvgIcon.h"
#include "common/TextFieldValidator.h"
#include "common/UserError.h"
#include "objects/DamageToolbar.h"
#include "objects/Marker.h"
#include "objects/ObjectList.h"
#include "objects/SelectionOutline.h"
#include "objects/TotalsPanel.h"
#include "platform/CommonDialog.h"
#include "viewport/OutlineBox.h"
#include "viewport/PictureLoader.h"
#include "viewport/PictureSurface.h"
#include "viewport/SlotCaption.h"
#include "viewport/SlotLayout.h"
#include "viewport/Thumbnail.h"
#include "viewport/Viewport.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolButton>

#include <limits>

namespace {

const QString GroupFilter = QStringLiteral("Image Group Files (*.grp)|*.grp");
const QString GroupExtension = QStringLiteral(".grp");
const QString PictureFilter
    = QStringLiteral("Pictures (*.bmp;*.ico;*.jpg;*.gif;*.tiff)|*.bmp;*.ico;*.jpg;*.gif;*.tiff");
const QString UntitledTitle = ProductTitle + QStringLiteral(" (Untitled)");

// Window colours of a first run.
const QColor OutlineColor = Qt::white;
const QColor ActiveClipColor = Qt::red;

struct NameFieldPlace {
    const char* Label;
    const char* ToolTip;
    QRect FieldPlace;
    int MaxLength;
};

// Design places of the name fields and their labels, pixels.
constexpr std::array<NameFieldPlace, 4> NameFieldPlaces = { {
    { "File Name", "File Name", { 112, 3, 217, 24 }, 50 },
    { "Category:", "Category", { 872, 240, 121, 24 }, 50 },
    { "Type:", "Type", { 872, 280, 121, 24 }, 25 },
    { "ID:", "ID", { 872, 320, 121, 24 }, 25 },
} };

constexpr QRect DescriptionHeadingPlace { 784, 208, 121, 25 };
constexpr QRect Picture1Place { 784, 676, 216, 40 };
constexpr QRect ToolbarPlace { 14, 180, 51, 485 };

struct ZoomButtonPlace {
    const char* ToolTip;
    const char* Picture;
    int Top;
};

// The zoom buttons stand in the toolbar panel, below the damage types.
constexpr std::array<ZoomButtonPlace, 4> ZoomButtonPlaces = { {
    { "Zoom In", ":/artwork/zoom-in.svg", 328 },
    { "Zoom Out", ":/artwork/zoom-out.svg", 360 },
    { "Actual Size", ":/artwork/zoom-actual.svg", 408 },
    { "Scale to Fit", ":/artwork/zoom-fit.svg", 440 },
} };

// A picture that cannot be shown is shown as a placeholder of this size, so
// its markers can still be seen and edited.
constexpr QSize PlaceholderSize { 640, 480 };

// Marker indexes and counts are 16-bit.
constexpr int MaxMarkers = std::numeric_limits<qint16>::max();

QToolButton* PictureButton(const QString& picture, const QString& toolTip, QRect place, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setGeometry(place);
    button->setToolTip(toolTip);
    button->setIcon(SvgIcon(picture, QSize(22, 22)));
    button->setIconSize(QSize(22, 22));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// The picture at a path for the view, or a placeholder saying why it cannot
// be shown, so that the slot's markers can still be seen and edited.
QImage PictureForView(const QString& path, QImage previous)
{
    try {
        return ReloadPicture(path, std::move(previous));
    } catch (const PictureError& failure) {
        const bool missing = failure.GetKind() == PictureError::Kind::Missing;
        return PlaceholderPicture(missing ? QStringLiteral("picture missing") : QStringLiteral("cannot read"),
            failure.Text(), PlaceholderSize);
    }
}

bool IsExistingGroupPath(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

// A label left of its field, level with it.
QLabel* FieldLabel(const QString& text, QRect fieldPlace, int labelLeft, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(labelLeft, fieldPlace.top(), fieldPlace.left() - 6 - labelLeft, fieldPlace.height());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

frmImage::frmImage(Platform platform, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
{
    createControls();
    createActions();
    setWindowTitle(QStringLiteral("Corvane (Auto Version)"));
    resize(1033, 721 + menuBar()->sizeHint().height());
}

void frmImage::createControls()
{
    Screen = new ScreenBackground(this);
    Screen->setObjectName(QStringLiteral("screen"));
    Screen->setStyleSheet(
        QStringLiteral("QWidget { font-size: 11px; }"
                       "QLabel { color: white; }"
                       "QLabel#heading { font-weight: bold; }"
                       "QLabel#value { color: #f4f1e8; background: rgba(255, 255, 255, 18); padding-left: 4px; }"
                       "QLineEdit { background: white; color: black; border: 1px solid #8a8f98; padding: 0 3px; }"));
    setCentralWidget(Screen);

    for (int i = 0; i < GroupSlotCount; ++i) {
        const SlotPlace& place = SlotPlaces[i];
        IMG[i] = new Thumbnail(Screen);
        IMG[i]->setGeometry(place.Thumbnail);
        connect(IMG[i], &Thumbnail::Pressed, this,
            [this, i](int button, QPoint position) { IMG_MouseDown(i, button, position); });
        Box[i] = new OutlineBox(OutlineColor, 1, Screen);
        Box[i]->setGeometry(place.Outline);
        LbFileName[i] = new SlotCaption(Screen);
        LbFileName[i]->setGeometry(place.Caption);
    }
    Border = new OutlineBox(ActiveClipColor, 2, Screen);
    Border->setGeometry(ActiveFrameStart);

    for (int i = 0; i < int(txtWord.size()); ++i) {
        const NameFieldPlace& place = NameFieldPlaces[i];
        QLabel* label = FieldLabel(QString::fromLatin1(place.Label), place.FieldPlace, i == 0 ? 24 : 776, Screen);
        if (i == 0)
            label->setObjectName(QStringLiteral("heading"));
        txtWord[i] = new QLineEdit(Screen);
        txtWord[i]->setGeometry(place.FieldPlace);
        txtWord[i]->setToolTip(QString::fromLatin1(place.ToolTip));
        txtWord[i]->setValidator(new TextFieldValidator(place.MaxLength, QString(), txtWord[i]));
        txtWord[i]->installEventFilter(this);
    }
    auto* description = new QLabel(QStringLiteral("Description"), Screen);
    description->setGeometry(DescriptionHeadingPlace);
    description->setObjectName(QStringLiteral("heading"));

    Totals = new TotalsPanel(Screen);
    txtNum = Totals->txtNum;
    connect(txtNum, &QLineEdit::textChanged, this, &frmImage::txtNum_Change);

    View = new Viewport(Screen, [this] { PositionObjects(); });
    PicArea = View->PicArea;
    PicZoom = View->PicZoom;
    HS = View->HS;
    VS = View->VS;
    connect(PicZoom, &PictureSurface::Pressed, this, &frmImage::PicZoom_MouseDown);
    auto* markerTemplate = new Marker(PicZoom);
    markerTemplate->hide();
    OBJ = { markerTemplate };
    ObjPlacement = { ObjectPlacement {} };
    Selection = new SelectionOutline(PicZoom);

    PicTbr = new DamageToolbar(Screen);
    PicTbr->setGeometry(ToolbarPlace);
    connect(PicTbr, &DamageToolbar::Clicked, this, &frmImage::TBR_Click);
    std::array<QToolButton*, 4> zoomButtons {};
    for (size_t i = 0; i < zoomButtons.size(); ++i) {
        const ZoomButtonPlace& place = ZoomButtonPlaces[i];
        zoomButtons[i] = PictureButton(QString::fromLatin1(place.Picture), QString::fromLatin1(place.ToolTip),
            QRect(8, place.Top, 32, 29), PicTbr);
    }
    cmdZoomIn = zoomButtons[0];
    cmdZoomOut = zoomButtons[1];
    CmdActual = zoomButtons[2];
    cmdScaleToFit = zoomButtons[3];
    connect(cmdZoomIn, &QToolButton::clicked, this, &frmImage::ZoomIn);
    connect(cmdZoomOut, &QToolButton::clicked, this, &frmImage::ZoomOut);
    connect(CmdActual, &QToolButton::clicked, this, &frmImage::ActualSize);
    connect(cmdScaleToFit, &QToolButton::clicked, this, &frmImage::ScaleToFit);

    Picture1 = new SvgPicture(QStringLiteral(":/artwork/picture1.svg"), Screen);
    Picture1->setGeometry(Picture1Place);
}

void frmImage::createActions()
{
    const auto item = [](QMenu* menu, const QString& caption, QKeyCombination shortcut = {}) {
        auto* action = menu->addAction(caption);
        if (shortcut.key() != Qt::Key_unknown)
            action->setShortcut(QKeySequence(shortcut));
        return action;
    };
    const auto ctrl = [](Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); };

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFileNew = item(mnuFile, QStringLiteral("New Group"), ctrl(Qt::Key_N));
    mnuFileOpen = item(mnuFile, QStringLiteral("Open File.."), ctrl(Qt::Key_O));
    mnuPrint = item(mnuFile, QStringLiteral("Print.."), ctrl(Qt::Key_P));
    mnuClose = item(mnuFile, QStringLiteral("Close"), ctrl(Qt::Key_W));
    mnuFile->addSeparator();
    mnuFileSave = item(mnuFile, QStringLiteral("Save File.."), ctrl(Qt::Key_S));
    mnuFileSaveAs = item(mnuFile, QStringLiteral("Save As.."));
    mnuFile->addSeparator();
    mnuLastFile0 = item(mnuFile, QString());
    mnuLastFile0->setVisible(false);
    mnuFile->addSeparator();
    mnuExit = item(mnuFile, QStringLiteral("Exit"), ctrl(Qt::Key_E));

    mnuImage = menuBar()->addMenu(QStringLiteral("&Image"));
    mnuImport = item(mnuImage, QStringLiteral("Import Image"), ctrl(Qt::Key_I));
    mnuRemove = item(mnuImage, QStringLiteral("Remove Image"), ctrl(Qt::Key_D));

    mnuzoom = menuBar()->addMenu(QStringLiteral("&Zoom"));
    mnuzoomin = item(mnuzoom, QStringLiteral("Zoom In"), ctrl(Qt::Key_Z));
    mnuZoomOut = item(mnuzoom, QStringLiteral("Zoom Out"), ctrl(Qt::Key_X));
    mnuScaleToFit = item(mnuzoom, QStringLiteral("Scale to Fit"), ctrl(Qt::Key_F));
    mnuActual = item(mnuzoom, QStringLiteral("Actual"), ctrl(Qt::Key_A));

    mnuSettings = menuBar()->addMenu(QStringLiteral("&Settings"));
    mnuScreenColor = item(mnuSettings, QStringLiteral("Screen Color"));
    mnuBorderColor = item(mnuSettings, QStringLiteral("Outline Color"));
    mnuActiveBorderColor = item(mnuSettings, QStringLiteral("ActiveClip Color"));
    mnuToolbarColor = item(mnuSettings, QStringLiteral("Toolbar Color"));
    mnuFileNameColor = item(mnuSettings, QStringLiteral("FileName Color"));
    mnuSettings->addSeparator();
    mnuDefaultColors = item(mnuSettings, QStringLiteral("Default Colors"));

    // Not in the menu bar: it pops up over a marker.
    mnuObject = new QMenu(QStringLiteral("Object"), this);
    mnuSendBack = item(mnuObject, QStringLiteral("Send to Back"));
    mnuBringFront = item(mnuObject, QStringLiteral("Bring to Front"));
    mnuDelete = item(mnuObject, QStringLiteral("Delete"));

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuInstruct = item(mnuHelp, QStringLiteral("Instructions"));

    connect(mnuFileNew, &QAction::triggered, this, &frmImage::NewFile);
    connect(mnuClose, &QAction::triggered, this, &frmImage::NewFile);
    connect(mnuFileOpen, &QAction::triggered, this, &frmImage::LoadFile);
    connect(mnuFileSave, &QAction::triggered, this, &frmImage::SaveFile);
    connect(mnuFileSaveAs, &QAction::triggered, this, &frmImage::mnuFileSaveAs_Click);
    connect(mnuExit, &QAction::triggered, this, &frmImage::mnuExit_Click);
    connect(mnuImport, &QAction::triggered, this, &frmImage::ImportImage);
    connect(mnuRemove, &QAction::triggered, this, &frmImage::RemoveImage);
    connect(mnuzoomin, &QAction::triggered, this, &frmImage::ZoomIn);
    connect(mnuZoomOut, &QAction::triggered, this, &frmImage::ZoomOut);
    connect(mnuScaleToFit, &QAction::triggered, this, &frmImage::ScaleToFit);
    connect(mnuActual, &QAction::triggered, this, &frmImage::ActualSize);
}

void frmImage::Form_Load(const QString& commandLinePath)
{
    NewFile();
    if (IsExistingGroupPath(commandLinePath))
        OpenFile(commandLinePath);
}

void frmImage::NewFile()
{
    RunReporting("NewFile", MsgButtons::OkCancel, MsgIcon::Critical, [this] {
        QuerySave();
        if (SavePending)
            return;
        ClearGroup();
    });
}

void frmImage::ClearGroup()
{
    for (int i = 0; i < GroupSlotCount; ++i) {
        LbFileName[i]->setText(QStringLiteral("Pic %1").arg(i + 1));
        LbFileName[i]->Tag.clear();
        if (!IMG[i]->Tag.isEmpty()) {
            IMG[i]->ClearPicture();
            IMG[i]->Tag.clear();
            IMG[i]->setToolTip(QString());
        }
    }
    for (QLineEdit* field : txtWord)
        field->clear();
    UnloadMarkers();
    View->Clear();
    DisplayedSlot = -1;
    setWindowTitle(UntitledTitle);
    CurrentImage = 0;
    PlaceActiveFrame(0);
    Changed = false;
    FileName.clear();
    ImageObjectCount = 0;
    GroupObjectCount = 0;
    ObjIDTotal = 0.0;
    txtNum->clear();
    Totals->LblRes->clear();
    UpdateTotals();
}

void frmImage::QuerySave()
{
    if (!Changed)
        return;
    const MsgAnswer answer = Report(QStringLiteral("Save Changes to the Current File"), QStringLiteral("Save Changes"),
        MsgButtons::YesNo, MsgIcon::Information);
    if (answer == MsgAnswer::Yes) {
        SavePending = true;
        SaveFile();
    } else {
        SavePending = false;
    }
}

void frmImage::LoadFile()
{
    RunReporting("LoadFile", MsgButtons::Ok, MsgIcon::Critical, [this] {
        const QString path
            = m_platform.Dlg.ShowOpen({ DialogTitle(QStringLiteral("Open Group File")), GroupFilter, {} });
        if (!path.isEmpty())
            OpenFile(path);
    });
}

void frmImage::OpenFile(const QString& path)
{
    if (!IsExistingGroupPath(path)) {
        Report(QStringLiteral("The Specified File Does Not Exists ") + path, QStringLiteral("Sub : OpenFile"),
            MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    NewFile();
    if (SavePending)
        return;
    try {
        ReadGroup(path);
    } catch (const UserError& damaged) {
        // Never leave a half-read group that carries the file's name: a later
        // save would overwrite the file with less than it held.
        ClearGroup();
        Report(damaged.Text(), QStringLiteral("Sub : LoadFile"), MsgButtons::Ok, MsgIcon::Critical);
    }
}

void frmImage::ReadGroup(const QString& path)
{
    const QString name = FileNameFromPath(path);
    const NameFieldTexts names = NameFieldsFromFileName(name);
    for (int k = 0; k < int(txtWord.size()); ++k)
        txtWord[k]->setText(names[k]);

    const GroupFileContent content = ReadGroupFile(path);
    if (content.HasCarValue) {
        CarValue = content.CarValue;
        txtNum->setText(CarValue);
    }
    if (!content.HasValidMagic()) {
        Report(QStringLiteral("This File is Not a Valid VOSK Image Viewer File."), QStringLiteral("Invalid File"),
            MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    qsizetype records = 0;
    for (const GroupPicture& picture : content.Pictures)
        records += CountRecords(picture.Objects);
    if (records > MaxMarkers) {
        throw UserError(QStringLiteral("Cannot open the group file %1: it holds %2 markers, more than the %3 a group "
                                       "can hold.")
                            .arg(QDir::toNativeSeparators(path))
                            .arg(records)
                            .arg(MaxMarkers));
    }

    setWindowTitle(ProductTitle + QStringLiteral(" : ") + name);
    FileName = path;
    Changed = false;
    for (int slot = 0; slot < int(content.Pictures.size()); ++slot) {
        const GroupPicture& picture = content.Pictures[slot];
        LbFileName[slot]->setText(FileNameFromPath(picture.Path));
        if (!picture.Objects.isEmpty()) {
            LbFileName[slot]->Tag = picture.Objects;
            GroupObjectCount = qint16(GroupObjectCount + CountRecords(picture.Objects));
            ObjIDTotal += ListCost(picture.Objects);
            UpdateTotals();
        }
        // A picture that cannot be shown keeps its slot, so that its line and
        // its markers are written back at the next save.
        IMG[slot]->Tag = picture.Path;
        IMG[slot]->setToolTip(picture.Path);
        LoadThumbnail(slot, picture.Path);
    }
}

void frmImage::LoadThumbnail(int slot, const QString& path)
{
    try {
        IMG[slot]->SetPicture(LoadPicture(path, ThumbnailSize));
    } catch (const PictureError& failure) {
        const bool missing = failure.GetKind() == PictureError::Kind::Missing;
        IMG[slot]->SetPlaceholder(missing ? QStringLiteral("picture missing") : QStringLiteral("cannot read"));
        IMG[slot]->setToolTip(path + u'\n' + failure.Text());
    }
}

void frmImage::SaveFile()
{
    RunReporting("SaveFile", MsgButtons::Ok, MsgIcon::Information, [this] {
        QString path = FileName;
        if (path.isEmpty()) {
            if (txtWord[0]->text().isEmpty()) {
                txtWord[0]->setFocus();
                Report(QStringLiteral("Please Enter File Name !! "), QStringLiteral("File Name Required"),
                    MsgButtons::Ok, MsgIcon::Information);
                return;
            }
            path = AskSavePath();
            if (path.isEmpty())
                return;
        }
        WriteGroupFile(path, txtNum->text(), FilledSlots());
        // The group takes the path only once it has been written there.
        FileName = path;
        setWindowTitle(ProductTitle + QStringLiteral(" : ") + FileTitleFromPath(path));
        Changed = false;
        SavePending = false;
    });
}

QString frmImage::AskSavePath()
{
    NameFieldTexts names;
    for (int k = 0; k < int(txtWord.size()); ++k)
        names[k] = txtWord[k]->text();
    const QString title = DialogTitle(QStringLiteral("Save File"));
    QString path = m_platform.Dlg.ShowSave({ title, GroupFilter, ProposedFileName(names) });
    if (path.isEmpty() || path.endsWith(GroupExtension, Qt::CaseInsensitive))
        return path;
    // Without its extension the group would be hidden by the program's own
    // Open dialog. The dialog asked about the name it returned; this asks
    // about the name that is written.
    path += GroupExtension;
    if (QFileInfo::exists(path)) {
        const MsgAnswer answer = Report(
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QDir::toNativeSeparators(path)), title,
            MsgButtons::YesNo, MsgIcon::Information);
        if (answer != MsgAnswer::Yes)
            return {};
    }
    return path;
}

QList<GroupPicture> frmImage::FilledSlots() const
{
    QList<GroupPicture> pictures;
    for (int i = 0; i < GroupSlotCount; ++i) {
        if (!IMG[i]->Tag.isEmpty())
            pictures.append({ IMG[i]->Tag, LbFileName[i]->Tag });
    }
    return pictures;
}

void frmImage::PlaceActiveFrame(int slot)
{
    Border->move(
        SlotPlaces[slot].Outline.left() - ActiveFrameMargin, SlotPlaces[slot].Thumbnail.top() - ActiveFrameMargin);
}

void frmImage::TBR_Click(int index)
{
    if (IMG[CurrentImage]->Tag.isEmpty()) {
        // A slot without a picture has no line in the group file, so its
        // markers could not be saved.
        Report(QStringLiteral("There is no picture in %1 to place a marker on. Import a picture first.")
                   .arg(LbFileName[CurrentImage]->text()),
            QStringLiteral("Sub : TBR_Click"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const int n
        = DisplayedSlot == CurrentImage ? int(OBJ.size()) : 1 + int(CountRecords(LbFileName[CurrentImage]->Tag));
    if (n > MaxMarkers || GroupObjectCount >= MaxMarkers) {
        const QString holder = n > MaxMarkers ? QStringLiteral("This picture") : QStringLiteral("The group");
        Report(QStringLiteral("%1 already holds %2 markers, the most it can hold.").arg(holder).arg(MaxMarkers),
            QStringLiteral("Sub : TBR_Click"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    // The new marker joins the slot's own markers: show them first.
    if (DisplayedSlot != CurrentImage)
        ClipClicked(CurrentImage, 1);
    CurrentObject = qint16(OBJ.size());
    auto* marker = new Marker(PicZoom);
    marker->SetDamagePicture(index);
    marker->show();
    marker->Move(float(HS->value()), float(VS->value()));
    marker->Tag = QString::number(index);
    marker->raise();
    OBJ.push_back(marker);
    ObjPlacement.resize(OBJ.size());
    StoreObjects();
    ++ImageObjectCount;
    ++GroupObjectCount;
    UpdateTotals();
}

void frmImage::StoreObjects()
{
    Marker* selected = OBJ[CurrentObject];
    // No coordinate may be 0: the ratios divide by it.
    if (selected->Left() == 0.0f)
        selected->Move(1.0f, selected->Top());
    if (selected->Width() == 0.0f)
        selected->SetPlace(selected->Left(), selected->Top(), 1.0f, selected->Height());
    if (selected->Top() == 0.0f)
        selected->Move(selected->Left(), 1.0f);
    if (selected->Height() == 0.0f)
        selected->SetPlace(selected->Left(), selected->Top(), selected->Width(), 1.0f);
    ObjPlacement[CurrentObject] = PlacementOf(PicZoom->SurfaceWidth(), PicZoom->SurfaceHeight(), selected->Left(),
        selected->Top(), selected->Width(), selected->Height());

    QString list;
    for (size_t i = 1; i < OBJ.size(); ++i) {
        if (!OBJ[i]->isHidden())
            list += FormatRecord(OBJ[i]->Tag, ObjPlacement[i], OBJ[i]->Detail());
    }
    for (const QString& record : UnreadableRecords)
        list += record + u',';
    LbFileName[CurrentImage]->Tag = list;
    Changed = true;
    ShowSelection();
}

void frmImage::UnloadMarkers()
{
    for (size_t i = 1; i < OBJ.size(); ++i)
        delete OBJ[i];
    OBJ.resize(1);
    ObjPlacement.resize(1);
    UnreadableRecords.clear();
    CurrentObject = 0;
    ShowSelection();
}

void frmImage::ShowSelection()
{
    const bool shown = CurrentObject > 0 && size_t(CurrentObject) < OBJ.size() && !OBJ[CurrentObject]->isHidden();
    Selection->Surround(shown ? OBJ[CurrentObject]->geometry() : QRect());
}

void frmImage::ImportImage()
{
    const QString path = m_platform.Dlg.ShowOpen({ DialogTitle(QStringLiteral("Import Picture")), PictureFilter, {} });
    if (path.isEmpty())
        return;
    if (!QFileInfo::exists(path)) {
        Report(QStringLiteral("File Does Not Exists"), QStringLiteral("Invalid FileName"), MsgButtons::Ok,
            MsgIcon::Critical);
        return;
    }
    if (path.contains(u'"')) {
        Report(
            QStringLiteral("A group file cannot keep a picture whose path contains a double quote (\"):\n%1").arg(path),
            QStringLiteral("Invalid FileName"), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    QImage thumbnail;
    try {
        thumbnail = LoadPicture(path, ThumbnailSize);
    } catch (const PictureError& failure) {
        Report(failure.Text(), QStringLiteral("Sub : ImportImage"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    IMG[CurrentImage]->SetPicture(thumbnail);
    IMG[CurrentImage]->Tag = path;
    IMG[CurrentImage]->setToolTip(path);
    LbFileName[CurrentImage]->setText(FileTitleFromPath(path));
    Changed = true;
}

void frmImage::RemoveImage()
{
    const int slot = CurrentImage;
    // The slot's records leave the group with it, whether or not its
    // markers are on the surface.
    const qsizetype records = CountRecords(LbFileName[slot]->Tag);
    if (!IMG[slot]->Tag.isEmpty()) {
        IMG[slot]->ClearPicture();
        LbFileName[slot]->Tag.clear();
        View->Clear();
        DisplayedSlot = -1;
        IMG[slot]->Tag.clear();
        IMG[slot]->setToolTip(QString());
    }
    UnloadMarkers();
    LbFileName[slot]->setText(QStringLiteral("Pic %1").arg(slot + 1));
    GroupObjectCount = qint16(GroupObjectCount - records);
    ImageObjectCount = 0;
    UpdateTotals();
    Changed = true;
}

void frmImage::IMG_MouseDown(int index, int button, QPoint position)
{
    ClipClicked(index, button, position);
}

void frmImage::ClipClicked(int index, int button, QPoint menuPosition)
{
    RunReporting("ClipClicked", MsgButtons::Ok, MsgIcon::Information, [this, index, button, menuPosition] {
        CurrentImage = qint16(index);
        PlaceActiveFrame(index);
        const QString path = IMG[index]->Tag;
        if (button == 2 || path.isEmpty()) {
            // The markers on the surface must always be the current slot's.
            if (index != DisplayedSlot)
                ClearView();
            mnuRemove->setEnabled(!path.isEmpty());
            mnuImage->popup(menuPosition);
            return;
        }
        PicZoom->ShowPicture(PictureForView(path, PicZoom->TakePicture()), path);
        DisplayedSlot = qint16(index);
        View->ScaleToFit();
        UnloadMarkers();
        const QString problems = RebuildMarkers(LbFileName[index]->Tag);
        PositionObjects();
        UpdateTotals();
        if (!problems.isEmpty())
            Report(problems, QStringLiteral("Sub : ClipClicked"), MsgButtons::Ok, MsgIcon::Information);
    });
}

QString frmImage::RebuildMarkers(const QString& list)
{
    const QList<QStringView> records = SplitRecords(list);
    ImageObjectCount = qint16(records.size());
    QStringList problems;
    for (qsizetype k = 0; k < records.size(); ++k) {
        try {
            const ObjectRecord record = ParseRecord(records[k]);
            auto* marker = new Marker(PicZoom);
            marker->SetDamagePicture(record.DamageType);
            marker->show();
            marker->Tag = record.Tag;
            marker->SetDetail(record.Detail);
            OBJ.push_back(marker);
            ObjPlacement.push_back(record.Placement);
            CurrentObject = qint16(OBJ.size() - 1);
        } catch (const UserError& unreadable) {
            // Kept as it stands, and written back unchanged at every store.
            UnreadableRecords.append(records[k].toString());
            problems.append(QStringLiteral("Marker %1 (\"%2\") cannot be shown: %3.")
                                .arg(k + 1)
                                .arg(records[k])
                                .arg(unreadable.Text()));
        }
    }
    if (problems.isEmpty())
        return {};
    return problems.join(u'\n') + QStringLiteral("\nIt is kept as it stands and saved unchanged.");
}

void frmImage::ClearView()
{
    UnloadMarkers();
    View->Clear();
    DisplayedSlot = -1;
    ImageObjectCount = 0;
    UpdateTotals();
}

void frmImage::ScaleToFit()
{
    RunReporting("ScaleToFit", MsgButtons::Ok, MsgIcon::Information, [this] { View->ScaleToFit(); });
}

void frmImage::ActualSize()
{
    RunReporting("ActualSize", MsgButtons::Ok, MsgIcon::Information, [this] { View->ActualSize(); });
}

void frmImage::ZoomIn()
{
    View->Zoom(true);
}

void frmImage::ZoomOut()
{
    View->Zoom(false);
}

void frmImage::PositionObjects()
{
    const float width = PicZoom->SurfaceWidth();
    const float height = PicZoom->SurfaceHeight();
    for (size_t i = 1; i < OBJ.size(); ++i) {
        const QRectF place = PlaceFromRatios(width, height, ObjPlacement[i]);
        OBJ[i]->SetPlace(float(place.left()), float(place.top()), float(place.width()), float(place.height()));
    }
    ShowSelection();
}

void frmImage::PicZoom_MouseDown(int button, QPoint position)
{
    if (!PicZoom->DisplayedPath().isEmpty() && button == 2)
        mnuzoom->popup(position);
}

void frmImage::UpdateTotals()
{
    Totals->ShowTotals(ObjIDTotal, ImageObjectCount, GroupObjectCount);
}

void frmImage::txtNum_Change()
{
    if (!FileName.isEmpty())
        Changed = true;
    UpdateTotals();
}

void frmImage::txtWord_KeyDown(int index, int keyCode)
{
    if (keyCode != 13)
        return;
    txtWord[(index + 1) % int(txtWord.size())]->setFocus();
}

void frmImage::mnuFileSaveAs_Click()
{
    FileName.clear();
    SaveFile();
}

void frmImage::mnuExit_Click()
{
    close();
}

void frmImage::Form_Unload(bool& cancel)
{
    QuerySave();
    cancel = SavePending;
}

void frmImage::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    Form_Unload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

bool frmImage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        for (int i = 0; i < int(txtWord.size()); ++i) {
            if (watched == txtWord[i] && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
                txtWord_KeyDown(i, 13);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmImage::RunReporting(const char* routine, MsgButtons buttons, MsgIcon icon, const std::function<void()>& steps)
{
    try {
        steps();
    } catch (const std::exception& failure) {
        Report(QString::fromUtf8(failure.what()), QStringLiteral("Sub : ") + QLatin1String(routine), buttons, icon);
    }
}

MsgAnswer frmImage::Report(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    return m_platform.Msg.Show(text, title, buttons, icon);
}
