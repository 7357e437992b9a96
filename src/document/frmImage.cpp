#include "frmImage.h"

#include "ColorMenu.h"
#include "DescriptionFields.h"
#include "GroupFile.h"
#include "GroupHistory.h"
#include "InterfaceColors.h"
#include "KeyPreview.h"
#include "MainMenus.h"
#include "NameFields.h"
#include "PictureImport.h"
#include "RecentFilesMenu.h"
#include "SavePathPrompt.h"
#include "ScreenBackground.h"
#include "SvgPicture.h"
#include "WindowSettings.h"
#include "common/NumberText.h"
#include "common/PathText.h"
#include "common/ProductTitle.h"
#include "common/UserError.h"
#include "objects/DamageToolbar.h"
#include "objects/KeyCommands.h"
#include "objects/MarkerLayer.h"
#include "objects/ObjectList.h"
#include "objects/TotalsPanel.h"
#include "platform/BusyPointer.h"
#include "platform/CommonDialog.h"
#include "platform/DetailsDialog.h"
#include "platform/Shell.h"
#include "printing/frmPage.h"
#include "viewport/PictureSurface.h"
#include "viewport/ScrollBarStyle.h"
#include "viewport/SlotLayout.h"
#include "viewport/ThumbnailStrip.h"
#include "viewport/Viewport.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>

namespace {

const QString GroupFilter = QStringLiteral("Image Group Files (*.grp)|*.grp");

// The window's client area as designed, pixels.
constexpr QSize DesignSize { 1033, 721 };
constexpr QRect Picture1Place { 784, 676, 216, 40 };
constexpr QRect ToolbarPlace { 14, 180, 51, 485 };

constexpr int MaxMarkers = int(MaxGroupMarkers);

} // namespace

frmImage::frmImage(Platform platform, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
{
    createControls();
    Colors = std::make_unique<InterfaceColors>(*Screen, *Strip, *PicTbr, *Names);
    Menus = new MainMenus(menuBar(), this);
    connectMenus();
    Import = new PictureImport(*this, *Strip, *PicArea, m_platform, LastFolder, [this] { return CurrentImage; });
    History = new GroupHistory(*this);
    connect(Import, &PictureImport::GroupDropped, this, &frmImage::OpenFile);
    setWindowTitle(QStringLiteral("Corvane (Auto Version)"));
    resize(DesignSize.width(), DesignSize.height() + menuBar()->sizeHint().height());
    setWindowState(Qt::WindowMaximized);
}

frmImage::~frmImage()
{
    delete History;
}

void frmImage::createControls()
{
    // On a screen smaller than the design (a small laptop, a desktop scaled
    // up) the window's content scrolls, so every control stays reachable.
    auto* scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("ScreenScroller"));
    scroller->setAccessibleName(QStringLiteral("Workspace"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->horizontalScrollBar()->setStyleSheet(ScrollBarStyleSheet());
    scroller->verticalScrollBar()->setStyleSheet(ScrollBarStyleSheet());
    Screen = new ScreenBackground(scroller);
    Screen->setMinimumSize(DesignSize);
    scroller->setWidget(Screen);
    setCentralWidget(scroller);
    Strip = new ThumbnailStrip(Screen);
    connect(Strip, &ThumbnailStrip::Pressed, this, &frmImage::IMG_MouseDown);
    Names = new DescriptionFields(Screen);

    Totals = new TotalsPanel(Screen);
    connect(Totals, &TotalsPanel::CarValueChanged, this, &frmImage::txtNum_Change);

    View = new Viewport(Screen, [this] { PositionObjects(); });
    PicArea = View->PicArea;
    PicZoom = View->PicZoom;
    connect(Screen, &ScreenBackground::ViewportPlaced, View, &Viewport::Place);
    connect(PicZoom, &PictureSurface::Pressed, this, &frmImage::PicZoom_MouseDown);
    OBJ = new MarkerLayer(PicZoom);
    connect(OBJ, &MarkerLayer::Pressed, this, &frmImage::OBJ_MouseDown);
    connect(OBJ, &MarkerLayer::Released, this, &frmImage::OBJ_MouseUp);
    connect(OBJ, &MarkerLayer::DoubleClicked, this, &frmImage::OBJ_DblClick);

    PicTbr = new DamageToolbar(Screen);
    PicTbr->setObjectName(QStringLiteral("PicTbr"));
    PicTbr->setGeometry(ToolbarPlace);
    connect(PicTbr, &DamageToolbar::Clicked, this, &frmImage::TBR_Click);
    connect(PicTbr, &DamageToolbar::ZoomClicked, this, &frmImage::ZoomButton_Click);

    auto* picture1 = new SvgPicture(QStringLiteral(":/artwork/picture1.svg"), Screen);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(Picture1Place);
}

void frmImage::connectMenus()
{
    using Command = void (frmImage::*)();
    const std::pair<QAction * MainMenus::*, Command> commands[] = {
        { &MainMenus::mnuFileNew, &frmImage::NewFile },
        { &MainMenus::mnuClose, &frmImage::NewFile },
        { &MainMenus::mnuFileOpen, &frmImage::LoadFile },
        { &MainMenus::mnuPrint, &frmImage::mnuPrint_Click },
        { &MainMenus::mnuFileSave, &frmImage::SaveFile },
        { &MainMenus::mnuFileSaveAs, &frmImage::mnuFileSaveAs_Click },
        { &MainMenus::mnuExit, &frmImage::mnuExit_Click },
        { &MainMenus::mnuImport, &frmImage::ImportImage },
        { &MainMenus::mnuRemove, &frmImage::RemoveImage },
        { &MainMenus::mnuzoomin, &frmImage::ZoomIn },
        { &MainMenus::mnuZoomOut, &frmImage::ZoomOut },
        { &MainMenus::mnuScaleToFit, &frmImage::ScaleToFit },
        { &MainMenus::mnuActual, &frmImage::ActualSize },
        { &MainMenus::mnuSendBack, &frmImage::mnuSendBack_Click },
        { &MainMenus::mnuBringFront, &frmImage::mnuBringFront_Click },
        { &MainMenus::mnuDelete, &frmImage::DeleteObject },
    };
    for (const auto& [item, command] : commands)
        connect(Menus->*item, &QAction::triggered, this, command);
    connect(Menus->mnuInstruct, &QAction::triggered, this, &frmImage::InstructionsRequested);
    connect(Menus->mnuSeeThrough, &QAction::toggled, OBJ, &MarkerLayer::SetSeeThrough);
    connect(new KeyPreview(this, Menus->GroupShortcuts()), &KeyPreview::KeyDown, this, &frmImage::Form_KeyDown);
    new ColorMenu(*Menus, *Colors, m_platform.Dlg, this);
    Recent = new RecentFilesMenu(Menus->mnuFile, Menus->mnuLastFile0);
    connect(Menus->mnuLargeArea, &QAction::toggled, Screen, &ScreenBackground::SetLargePictureArea);
    connect(Recent, &RecentFilesMenu::Chosen, this, &frmImage::OpenFile);
}

void frmImage::Form_Load(const QString& commandLinePath)
{
    m_platform.Sh.RegisterFileType();
    LoadSettings(m_platform.Settings, *this, *Colors, *Recent, Menus->Options());
    NewFile();
    PicArea->setFocus();
    if (IsExistingFile(commandLinePath))
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
    for (int i = 0; i < GroupSlotCount; ++i)
        Strip->ClearSlot(i);
    Names->Clear();
    GroupFolder.clear();
    KeptLines.clear();
    ClearView();
    setWindowTitle(WindowTitle(QString()));
    CurrentImage = 0;
    Strip->PlaceActiveFrame(0);
    Recovery.Remove();
    SetFileName(QString());
    ImageObjectCount = 0;
    GroupObjectCount = 0;
    ObjIDTotal = 0.0;
    Totals->SetCarValue(QString());
    Totals->ClearCurrentValue();
    UpdateTotals();
    History->Reset();
}

void frmImage::QuerySave()
{
    if (!Changed)
        return;
    const MsgAnswer answer = Report(QStringLiteral("Save Changes to the Current File"), QStringLiteral("Save Changes"),
        MsgButtons::YesNo, MsgIcon::Information);
    // Only No discards: the prompt closed by Escape or its close box keeps
    // the work, as a cancelled save does.
    SavePending = answer != MsgAnswer::No;
    if (answer == MsgAnswer::Yes)
        SaveFile();
}

void frmImage::LoadFile()
{
    RunReporting("LoadFile", MsgButtons::Ok, MsgIcon::Critical, [this] {
        const QString path
            = m_platform.Dlg.ShowOpen({ DialogTitle(QStringLiteral("Open Group File")), GroupFilter, {}, LastFolder });
        if (!path.isEmpty())
            OpenFile(path);
    });
}

void frmImage::OpenFile(QString path)
{
    if (!IsExistingFile(path)) {
        Report(QStringLiteral("The Specified File Does Not Exists ") + path, RoutineTitle("OpenFile"), MsgButtons::Ok,
            MsgIcon::Critical);
        return;
    }
    NewFile();
    if (SavePending)
        return;
    try {
        const BusyPointer busy;
        ReadGroup(path);
    } catch (const UserError& damaged) {
        // Never leave a half-read group that carries the file's name: a later
        // save would overwrite the file with less than it held.
        ClearGroup();
        Report(damaged.Text(), RoutineTitle("LoadFile"), MsgButtons::Ok, MsgIcon::Critical);
    }
    History->Reset();
}

void frmImage::ReadGroup(const QString& path)
{
    const QString name = FileNameFromPath(path);
    Names->SetTexts(NameFieldsFromFileName(name));

    const GroupFileContent content = ReadGroupFile(path);
    if (content.HasCarValue) {
        CarValue = content.CarValue;
        Totals->SetCarValue(CarValue);
    }
    if (!content.HasValidMagic()) {
        Report(QStringLiteral("This File is Not a Valid VOSK Image Viewer File."), QStringLiteral("Invalid File"),
            MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    CheckMarkerCount(content, path);
    KeptLines = content.KeptLines;

    setWindowTitle(WindowTitle(name));
    SetFileName(path);
    GroupFolder = LastFolder = QFileInfo(path).absolutePath();
    // A picture that cannot be shown keeps its slot, so that its line and its
    // markers are written back at the next save.
    Strip->LoadSlots(content.Pictures);
    for (int slot = 0; slot < int(content.Pictures.size()); ++slot) {
        const GroupPicture& picture = content.Pictures[slot];
        if (!picture.Objects.isEmpty()) {
            Strip->SetObjectList(slot, picture.Objects);
            GroupObjectCount = qint16(GroupObjectCount + CountRecords(picture.Objects));
            ObjIDTotal += ListCost(picture.Objects);
            UpdateTotals();
        }
    }
    // A file cut short at the sixth picture is not a completed open.
    if (const QString notice = ExtraPicturesNotice(content); !notice.isEmpty())
        Report(notice, RoutineTitle("OpenFile"), MsgButtons::Ok, MsgIcon::Information);
    else
        Recent->UpdateRecentFiles(path);
}

void frmImage::SaveFile()
{
    RunReporting("SaveFile", MsgButtons::Ok, MsgIcon::Information, [this] {
        QString path = FileName;
        if (path.isEmpty()) {
            if (Names->Texts()[0].isEmpty()) {
                Names->FocusFileName();
                Report(QStringLiteral("Please Enter File Name !! "), QStringLiteral("File Name Required"),
                    MsgButtons::Ok, MsgIcon::Information);
                return;
            }
            path = AskSavePath(m_platform, Names->Texts(), GroupFolder.isEmpty() ? LastFolder : GroupFolder);
            if (path.isEmpty())
                return;
        }
        WriteGroupFile(path, Totals->CarValue(), Strip->FilledSlots(), KeptLines);
        // The group takes the path only once it has been written there.
        SetFileName(path);
        GroupFolder = LastFolder = QFileInfo(path).absolutePath();
        setWindowTitle(WindowTitle(FileTitleFromPath(path)));
        History->SetClean();
        Recovery.Remove();
        Recent->UpdateRecentFiles(path);
        SavePending = false;
    });
}

void frmImage::TBR_Click(int index)
{
    PicArea->setFocus();
    if (Strip->IsEmpty(CurrentImage)) {
        // A slot without a picture has no line in the group file, so its
        // markers could not be saved.
        Report(QStringLiteral("There is no picture in %1 to place a marker on. Import a picture first.")
                   .arg(Strip->Caption(CurrentImage)),
            RoutineTitle("TBR_Click"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const bool shown = OBJ->Model().DisplayedSlot() == CurrentImage;
    const int n = shown ? OBJ->Model().Count() : 1 + int(CountRecords(Strip->ObjectList(CurrentImage)));
    if (n > MaxMarkers || GroupObjectCount >= MaxMarkers) {
        const QString holder = n > MaxMarkers ? QStringLiteral("This picture") : QStringLiteral("The group");
        Report(QStringLiteral("%1 already holds %2 markers, the most it can hold.").arg(holder).arg(MaxMarkers),
            RoutineTitle("TBR_Click"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    // The new marker joins the slot's own markers: show them first.
    if (!shown)
        ClipClicked(CurrentImage, 1);
    if (OBJ->Model().DisplayedSlot() != CurrentImage)
        return; // the picture could not be shown; ClipClicked said why
    MarkerItem marker = OBJ->Model().Item(0);
    marker.DamageType = index;
    marker.Visible = true;
    marker.Place.moveTo(View->HS->value(), View->VS->value());
    marker.Tag = QString::number(index);
    CurrentObject = qint16(OBJ->Add(marker));
    StoreObjects();
    ++ImageObjectCount;
    ++GroupObjectCount;
    UpdateTotals();
}

void frmImage::StoreObjects()
{
    const QRectF place = NonZeroPlace(OBJ->Model().Item(CurrentObject).Place);
    OBJ->SetPlace(CurrentObject, place);
    OBJ->SetPlacement(CurrentObject,
        PlacementOf(PicZoom->SurfaceWidth(), PicZoom->SurfaceHeight(), float(place.left()), float(place.top()),
            float(place.width()), float(place.height())));
    Strip->SetObjectList(CurrentImage, OBJ->Model().ObjectList());
    Changed = true;
    OBJ->SetSelected(CurrentObject);
}

void frmImage::DeleteObject()
{
    // Only a marker on view can be deleted, and only once.
    if (!OBJ->Model().IsShown(CurrentObject))
        return;
    OBJ->Hide(CurrentObject);
    ObjIDTotal -= NumericValue(OBJ->Model().Item(CurrentObject).Detail.section(u';', 0, 0));
    StoreObjects();
    --ImageObjectCount;
    --GroupObjectCount;
    UpdateTotals();
}

void frmImage::ImportImage()
{
    Import->ImportImage(CurrentImage);
}

void frmImage::RemoveImage()
{
    // The slot's records, and their costs, leave the group with it, whether
    // or not its markers are on the surface.
    const QString list = Strip->ObjectList(CurrentImage);
    Strip->ClearSlot(CurrentImage);
    GroupObjectCount = qint16(GroupObjectCount - CountRecords(list));
    ObjIDTotal -= ListCost(list);
    ClearView();
    Changed = true;
}

void frmImage::IMG_MouseDown(int index, int button, QPoint position)
{
    PicArea->setFocus();
    ClipClicked(index, button, position);
}

void frmImage::ClipClicked(int index, int button, QPoint menuPosition)
{
    RunReporting("ClipClicked", MsgButtons::Ok, MsgIcon::Information, [this, index, button, menuPosition] {
        CurrentImage = qint16(index);
        Strip->PlaceActiveFrame(index);
        const QString path = Strip->PicturePath(index);
        if (button == 2 || path.isEmpty()) {
            // The markers on the surface must always be the current slot's.
            if (index != OBJ->Model().DisplayedSlot())
                ClearView();
            Menus->mnuRemove->setEnabled(!path.isEmpty());
            Menus->mnuImage->popup(menuPosition);
            return;
        }
        const BusyPointer busy;
        PicZoom->ShowPictureFile(path, Strip->Views(), index);
        OBJ->SetDisplayedSlot(qint16(index));
        View->ScaleToFit();
        ShowMarkers(index);
    });
}

void frmImage::ShowMarkers(int slot)
{
    const QString list = Strip->ObjectList(slot);
    const QString problems = OBJ->Rebuild(list, qint16(slot));
    ImageObjectCount = qint16(CountRecords(list));
    CurrentObject = qint16(OBJ->Model().Count() - 1);
    OBJ->SetSelected(CurrentObject);
    PositionObjects();
    UpdateTotals();
    if (!problems.isEmpty())
        Report(problems, RoutineTitle("ClipClicked"), MsgButtons::Ok, MsgIcon::Information);
}

void frmImage::ClearView()
{
    OBJ->Unload();
    CurrentObject = 0;
    View->Clear();
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

void frmImage::ZoomButton_Click(DamageToolbar::ZoomButton button)
{
    PicArea->setFocus();
    Menus->ZoomItems()[size_t(button)]->trigger();
}

void frmImage::PositionObjects()
{
    OBJ->PositionObjects(PicZoom->SurfaceWidth(), PicZoom->SurfaceHeight());
}

void frmImage::mnuPrint_Click()
{
    // A closed preview is on its way out: the next report gets a fresh one.
    if (!Preview || !Preview->isVisible())
        Preview = new frmPage(m_platform, this);
    Preview->Compose(FileName, Strip->AllSlots(), Totals->CarValue());
}

void frmImage::PicZoom_MouseDown(int button, QPoint position)
{
    PicArea->setFocus();
    if (!PicZoom->DisplayedPath().isEmpty() && button == 2)
        Menus->mnuzoom->popup(position);
}

void frmImage::OBJ_MouseDown(int index, int button, QPoint position)
{
    PicArea->setFocus();
    CurrentObject = qint16(index);
    OBJ->SetSelected(index);
    if (button == 2)
        Menus->mnuObject->popup(position);
}

void frmImage::OBJ_MouseUp(int, int)
{
    StoreObjects();
}

void frmImage::OBJ_DblClick(int index)
{
    ObjData = OBJ->Model().Item(index).Detail;
    m_platform.Details.ShowDetails(ObjData, ObjIDTotal);
    OBJ->SetDetail(index, ObjData);
    UpdateTotals();
    StoreObjects();
}

void frmImage::mnuSendBack_Click()
{
    OBJ->SendToBack(CurrentObject);
}

void frmImage::mnuBringFront_Click()
{
    OBJ->BringToFront(CurrentObject);
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

void frmImage::Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool inTextField)
{
    const KeyCommand picture = PictureKeyCommand(key, modifiers);
    if (picture == KeyCommand::PreviousSlot || picture == KeyCommand::NextSlot) {
        CurrentImage = qint16(PagedSlot(CurrentImage, picture, GroupSlotCount));
        ClipClicked(CurrentImage, 1);
    } else if (!inTextField && (picture == KeyCommand::ZoomIn || picture == KeyCommand::ZoomOut)) {
        PicArea->setFocus();
        picture == KeyCommand::ZoomIn ? ZoomIn() : ZoomOut();
    }
    // Keys typed into a text field edit the text, not the marker.
    if (inTextField || !OBJ->Model().IsShown(CurrentObject))
        return;
    const KeyCommand marker = MarkerKeyCommand(key);
    if (marker == KeyCommand::DeleteMarker) {
        DeleteObject();
    } else if (marker != KeyCommand::None) {
        // A nudge is stored like a drag, so it is never silently lost.
        OBJ->SetPlace(CurrentObject, OBJ->Model().Item(CurrentObject).Place.translated(NudgeOffset(marker)));
        StoreObjects();
    }
}

void frmImage::mnuExit_Click()
{
    close();
}

void frmImage::mnuFileSaveAs_Click()
{
    SetFileName(QString());
    SaveFile();
}

void frmImage::Form_Unload(bool& cancel)
{
    QuerySave();
    cancel = SavePending;
    SaveSettings(m_platform.Settings, *this, *Colors, *Recent, Menus->Options());
}

void frmImage::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    Form_Unload(cancel);
    event->setAccepted(!cancel);
    // The preview of a group that is gone goes with it.
    if (!cancel && Preview)
        Preview->close();
}

void frmImage::RunReporting(const char* routine, MsgButtons buttons, MsgIcon icon, const std::function<void()>& steps)
{
    try {
        steps();
    } catch (const std::exception& failure) {
        Report(QString::fromUtf8(failure.what()), RoutineTitle(routine), buttons, icon);
    }
}

MsgAnswer frmImage::Report(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon)
{
    return m_platform.Msg.Show(text, title, buttons, icon);
}

void frmImage::RecoverUnsavedWork()
{
    Recovery.Start(m_platform.Msg,
        { *this, Changed, FileName, KeptLines, LastFolder, GroupFolder, *Totals, *Strip, *Names, *Recent,
            [this](const QString& copy) {
                ClearGroup();
                ReadGroup(copy);
            } });
}
