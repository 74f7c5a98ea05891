#pragma once

#include "project/document.h"
#include "project/documentview.h"
#include "reports/reportdatabase.h"
#include "reports/reportjob.h"

#include <QMainWindow>
#include <QPointer>

#include <array>

class BaselineGridModel;
class BaselineGridView;
class Form2;
class Form3;
class Form4;
class Form5;
class Form6;
class QMenu;
class UserDialogs;
class frmAbout;

// The main window: the menus, the baseline grid and the popups the grid asks for. The
// project itself lives in the Document; the window passes on what the user chose and
// shows what the Document reports.
class Form1 : public QMainWindow, public DocumentView
{
    Q_OBJECT

public:
    // `programDir` is where the files that ship beside the program are found
    // (ChangeName.ini); `userName` is the user who logged in.
    Form1(const QString& programDir, const QString& userName, UserDialogs& dialogs,
          QWidget* parent = nullptr);
    ~Form1() override;

    Document& document() { return document_; }
    BaselineGridModel* gridModel() const { return gridModel_; }
    BaselineGridView* grid() const { return grid_; }
    // A menu item or menu by its name ("miOpen", "mnDispTime", "miDisp5", ...).
    QAction* menuItem(const QString& name) const;
    QMenu* menu(const QString& name) const;
    frmAbout* aboutBox() const;
    // The report database the print menu fills; open from load to unload when it could
    // be opened or created.
    ReportDatabase& reportDatabase() { return reportDatabase_; }
    Form6* cellEditor() const;
    // The editors of the data-edit menu while they are open.
    Form2* sessionEditor() const;
    Form3* commonEditor() const;
    Form4* pointEditor() const;
    Form5* equipmentEditor() const;
    // The session name of the session editor: the current name of the block while it
    // is open, the new name after "変更", empty after "ｷｬﾝｾﾙ".
    const QString& ChangeSessionStr() const { return changeSessionStr_; }
    // Where the editors open: 1500 twips right of and below the window's corner.
    QPoint editorPosition() const;

    // 開く(&O) after the question and the dialog: a ".xml" name is imported, a ".dat"
    // name loaded as a project; any other name is ignored.
    void openFile(const QString& path);

    // DocumentView
    SaveAnswer askSaveChanges() override;
    QString askSaveFileName() override;
    void showOutcome(const Outcome& outcome) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void loadNameTable(const QString& programDir);
    void openCommand();
    void showAbout();
    void toggleColumn(int column);
    void chooseTimeView(int item);
    void toggleCellEditMode();
    void openCellEditor();
    void applyCellEdit(const QString& text);
    void gridFunctionKey(int key);
    void printReport(ReportKind kind);
    // Editors of the data-edit menu (form1editors.cpp).
    void connectEditorCommands();
    void closeEditors();
    void showEditor(QDialog* editor);
    void openSessionEditor();
    void applySessionChange(const QString& newName);
    void openCommonEditor();
    void openPointEditor();
    void openEquipmentEditor(int field);
    void applyEquipmentChange(const QString& title, const QString& oldValue,
                              const QString& newValue);

    Document document_;
    ReportDatabase reportDatabase_;
    UserDialogs& dialogs_;
    QString userName_;
    BaselineGridModel* gridModel_;
    BaselineGridView* grid_;
    QMenu* allSwMenu_ = nullptr;
    QMenu* dispTimeMenu_ = nullptr;
    QMenu* cellEditMenu_ = nullptr;
    std::array<QAction*, 20> miDisp_{};
    std::array<QAction*, 2> miDispTime_{};
    QPointer<frmAbout> about_;
    QPointer<Form6> cellEditor_;
    QPointer<Form2> sessionEditor_;
    QPointer<Form3> commonEditor_;
    QPointer<Form4> pointEditor_;
    QPointer<Form5> equipmentEditor_;
    // The block of grid rows the session editor renames, kept from its opening.
    int sessionFirstRow_ = -1;
    int sessionLastRow_ = -1;
    QString changeSessionStr_;
};
