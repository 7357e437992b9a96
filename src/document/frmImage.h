#pragma once

#include "GroupFile.h"
#include "objects/ObjectList.h"
#include "platform/MessageBoxes.h"
#include "platform/Platform.h"

#include <QCursor>
#include <QImage>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

class DamageToolbar;
class Marker;
class OutlineBox;
class PictureSurface;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollBar;
class QToolButton;
class Viewport;
class ScreenBackground;
class SelectionOutline;
class SlotCaption;
class SvgPicture;
class Thumbnail;
class TotalsPanel;

// The main window, and the group it holds: six picture slots, the four name
// fields and the car value, with the window-level state of the group.
class frmImage : public QMainWindow {
    Q_OBJECT

public:
    explicit frmImage(Platform platform, QWidget* parent = nullptr);

    // Start-up: an empty untitled group, then the group named on the command
    // line when it names an existing file.
    void Form_Load(const QString& commandLinePath);

    void NewFile();
    void QuerySave();
    void LoadFile();
    void OpenFile(const QString& path);
    void SaveFile();
    void UpdateTotals();
    void TBR_Click(int index);
    void StoreObjects();
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
    // Window-level state of the group.
    double ObjIDTotal = 0.0;
    QString ObjData;
    qint16 CurrentImage = 0;
    qint16 CurrentObject = 0;
    qint16 ImageObjectCount = 0;
    qint16 GroupObjectCount = 0;
    // The slot whose picture and markers the view shows; -1 for none. It is
    // either CurrentImage or -1.
    qint16 DisplayedSlot = -1;
    // Records of the displayed slot that could not be shown as markers; they
    // are written back as they stand.
    QStringList UnreadableRecords;
    QString CarValue;
    bool Changed = false;
    QString FileName;
    bool SavePending = false;

    // Controls.
    std::array<Thumbnail*, GroupSlotCount> IMG {};
    std::array<SlotCaption*, GroupSlotCount> LbFileName {};
    std::array<OutlineBox*, GroupSlotCount> Box {};
    OutlineBox* Border = nullptr;
    std::array<QLineEdit*, 4> txtWord {};
    TotalsPanel* Totals = nullptr;
    QLineEdit* txtNum = nullptr;
    Viewport* View = nullptr;
    QWidget* PicArea = nullptr;
    PictureSurface* PicZoom = nullptr;
    QScrollBar* HS = nullptr;
    QScrollBar* VS = nullptr;
    DamageToolbar* PicTbr = nullptr;
    QToolButton* cmdZoomIn = nullptr;
    QToolButton* cmdZoomOut = nullptr;
    QToolButton* cmdScaleToFit = nullptr;
    QToolButton* CmdActual = nullptr;
    // The markers of the displayed picture; OBJ[0] is the template, never
    // shown. ObjPlacement has one entry per index.
    std::vector<Marker*> OBJ;
    std::vector<ObjectPlacement> ObjPlacement;
    SelectionOutline* Selection = nullptr;
    SvgPicture* Picture1 = nullptr;
    ScreenBackground* Screen = nullptr;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuClose = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuLastFile0 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuImage = nullptr;
    QAction* mnuImport = nullptr;
    QAction* mnuRemove = nullptr;
    QMenu* mnuzoom = nullptr;
    QAction* mnuzoomin = nullptr;
    QAction* mnuZoomOut = nullptr;
    QAction* mnuScaleToFit = nullptr;
    QAction* mnuActual = nullptr;
    QMenu* mnuSettings = nullptr;
    QAction* mnuScreenColor = nullptr;
    QAction* mnuBorderColor = nullptr;
    QAction* mnuActiveBorderColor = nullptr;
    QAction* mnuToolbarColor = nullptr;
    QAction* mnuFileNameColor = nullptr;
    QAction* mnuDefaultColors = nullptr;
    QMenu* mnuObject = nullptr;
    QAction* mnuSendBack = nullptr;
    QAction* mnuBringFront = nullptr;
    QAction* mnuDelete = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuInstruct = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void createActions();

    // The steps of NewFile after its prompt: the group emptied.
    void ClearGroup();
    // The reader: fills the cleared window from the group file at a path.
    void ReadGroup(const QString& path);
    void LoadThumbnail(int slot, const QString& path);
    // Every marker but the template hidden and unloaded; none selected.
    void UnloadMarkers();
    // The outline follows the selected marker.
    void ShowSelection();
    // Markers for the records of a list; the text of any problem, empty
    // when every record could be shown.
    [[nodiscard]] QString RebuildMarkers(const QString& list);
    // Nothing displayed: no picture, no markers.
    void ClearView();
    void IMG_MouseDown(int index, int button, QPoint position);
    void PicZoom_MouseDown(int button, QPoint position);
    void PlaceActiveFrame(int slot);
    [[nodiscard]] QList<GroupPicture> FilledSlots() const;
    // The path to save an untitled group to, asked of the user; empty when
    // the user gave none.
    [[nodiscard]] QString AskSavePath();

    void mnuFileSaveAs_Click();
    void mnuExit_Click();
    void Form_Unload(bool& cancel);
    void txtNum_Change();
    void txtWord_KeyDown(int index, int keyCode);

    // Runs a routine's steps; a failure ends them with a message titled
    // "Sub : " and the routine's name.
    void RunReporting(const char* routine, MsgButtons buttons, MsgIcon icon, const std::function<void()>& steps);
    MsgAnswer Report(const QString& text, const QString& title, MsgButtons buttons, MsgIcon icon);

    Platform m_platform;
};
