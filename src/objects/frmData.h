#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class TextFieldValidator;

// The details of one marker: its cost estimate, date and comments. The dialog
// reads the marker's detail string when it opens; OK stores the edited
// string and moves the group's cost total by the change of the cost. Closed
// any other way it leaves both as they were.
class frmData : public QDialog {
    Q_OBJECT

public:
    frmData(QString& objData, double& objIdTotal, const QString& today, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void Form_Load(const QString& today);
    void CmdOk_Click();
    void CMDCLEAR_Click();
    // Enter moves on: cost, date, comments, then the OK button.
    void txtID_KeyDown(int keyCode);
    void txtDate_KeyDown(int keyCode);
    void txtData_KeyDown(int keyCode);
    // Puts the program's own text into a field, whole.
    static void PutText(QLineEdit* field, TextFieldValidator* guard, const QString& text);

    QString& m_objData;
    double& m_objIdTotal;
    // The numeric value of the cost as the dialog opened.
    double OldCost = 0.0;

    QLineEdit* txtDate = nullptr;
    QLineEdit* txtData = nullptr;
    QLineEdit* txtID = nullptr;
    QPushButton* CmdOk = nullptr;
    QPushButton* CMDCLEAR = nullptr;
    TextFieldValidator* m_dateGuard = nullptr;
    TextFieldValidator* m_commentsGuard = nullptr;
    TextFieldValidator* m_costGuard = nullptr;
};
