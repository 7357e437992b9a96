#pragma once

#include "RecoveryKeeper.h"
#include "objects/DamageToolbar.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QCursor>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class DescriptionFields;
class GroupHistory;
class InterfaceColors;
class MainMenus;
class MarkerLayer;
class PictureImport;
class PictureSurface;
class RecentFilesMenu;
class ScreenBackground;
class ThumbnailStrip;
class TotalsPanel;
class Viewport;
class frmPage;

// The main window, and the group it holds: six picture slots, the four name
// fields and the car value, with the window-level state of the group. It
// creates its pieces (the thumbnail strip, the viewport, the marker layer,
// the toolbar, the totals panel, the menus), connects them and runs the
// routines as short sequences of steps.
class frmImage : public QMainWindow {
    Q_OBJECT
    // The history puts back what a change touched, and follows the changes.
    friend class GroupHistory;

public:
    explicit frmImage(Platform platform, QWidget* parent = nullptr);
    // The history goes first: widgets going away may still say they were
    // edited.
    ~frmImage() override;

    // Start-up: ".grp" files registered with the desktop, an empty untitled
    // group, then the group named on the command line when it names an
    // existing file.
    void Form_Load(const QString& commandLinePath);

    void NewFile();
    void QuerySave();
    void LoadFile();
    // The path is taken by value: NewFile may clear the string a caller
    // passed (a recent item's).
    void OpenFile(QString path);
    void SaveFile();
    void UpdateTotals();
    void TBR_Click(int index);
    void StoreObjects();
    void DeleteObject();
    void ImportImage();
    void RemoveImage();
    // button: 1 left, 2 right, 4 middle. A left press on a filled slot shows
    // its picture; otherwise the Image menu pops up at menuPosition.
    void ClipClicked(int index, int button, QPoint menuPosition = QCursor::pos());
    void ScaleToFit();
    void ActualSize();
    void ZoomIn();
    void ZoomOut();
    void PositionObjects();
    // "Print..": the report of the group in the print preview, a window of
    // its own made when none is open and reused while it is.
    void mnuPrint_Click();
    // Keeps a recovery copy of unsaved work from now on, after offering the
    // work a program that ended without saving left behind.
    void RecoverUnsavedWork();
    [[nodiscard]] MainMenus& Menu() const { return *Menus; } // for the commands wired in from outside

    // The details dialog is handed these two to read and change.
    double ObjIDTotal = 0.0;
    QString ObjData;

signals:
    // "Instructions" was chosen: the program shows its help.
    void InstructionsRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void connectMenus();

    // The steps of NewFile after its prompt: the group emptied.
    void ClearGroup();
    // The reader: fills the cleared window from the group file at a path.
    void ReadGroup(const QString& path);
    // Markers rebuilt from the slot's list; reports what cannot be shown.
    void ShowMarkers(int slot);
    // Nothing displayed: no picture, no markers.
    void ClearView();

    void IMG_MouseDown(int index, int button, QPoint position);
    void PicZoom_MouseDown(int button, QPoint position);
    // The zoom buttons of the toolbar panel (cmdZoomIn, cmdZoomOut,
    // CmdActual, cmdScaleToFit) run the Zoom menu's commands.
    void ZoomButton_Click(DamageToolbar::ZoomButton button);
    void OBJ_MouseDown(int index, int button, QPoint position);
    void OBJ_MouseUp(int index, int button);
    void OBJ_DblClick(int index);
    void mnuSendBack_Click();
    void mnuBringFront_Click();
    void mnuFileSaveAs_Click();
    void mnuExit_Click();
    void Form_Unload(bool& cancel);
    // Keys reach the window before the focused control; inTextField says
    // whether a text field has the focus.
    void Form_KeyDown(int key, Qt::KeyboardModifiers modifiers, bool inTextField);
    void txtNum_Change();

    // Runs a routine's steps; a failure ends them with a message titled
    // "Sub : " and the routine's name.
    void RunReporting(const char* routine, MsgButtons buttons, MsgIcon icon, const std::function<void()>& steps);
    MsgAnswer Report(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon);

    // Window-level state of the group. The file it is saved to is also the
    // window's file path.
    qint16 CurrentImage = 0;
    qint16 CurrentObject = 0;
    qint16 ImageObjectCount = 0;
    qint16 GroupObjectCount = 0;
    QString CarValue;
    bool Changed = false;
    QString FileName;
    bool SavePending = false;
    void SetFileName(const QString& path)
    {
        FileName = path;
        setWindowFilePath(path);
    }

    // The folder the last file dialog chose from (kept for the run), and the
    // open group's folder; file dialogs start there.
    QString LastFolder;
    QString GroupFolder;
    // Lines of the group file that name no picture, written back after the
    // pictures as they stood.
    QStringList KeptLines;

    Platform m_platform;
    ScreenBackground* Screen = nullptr;
    ThumbnailStrip* Strip = nullptr;
    DescriptionFields* Names = nullptr;
    TotalsPanel* Totals = nullptr;
    Viewport* View = nullptr;
    QWidget* PicArea = nullptr;
    PictureSurface* PicZoom = nullptr;
    MarkerLayer* OBJ = nullptr;
    DamageToolbar* PicTbr = nullptr;
    MainMenus* Menus = nullptr;
    std::unique_ptr<InterfaceColors> Colors;
    RecentFilesMenu* Recent = nullptr;
    PictureImport* Import = nullptr;
    GroupHistory* History = nullptr;
    // The print preview while it is open; closing it discards it.
    QPointer<frmPage> Preview;
    // Last, so it goes first: a normal end removes the copy.
    RecoveryKeeper Recovery;
};
