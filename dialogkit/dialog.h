#pragma once

#include "dialogkit/data_exchange.h"
#include "dialogkit/wnd.h"

#include <windows.h>

// A dialog built from a dialog template of the program's resources, run modally.
class CDialog : public CWnd {
public:
    // The dialog is owned by DefaultOwner() when it runs.
    explicit CDialog(UINT templateId);
    ~CDialog() override;

    // IDOK or IDCANCEL from the default OnOK/OnCancel, or what EndDialog was given;
    // -1 when the dialog could not be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

    // Moves the fields to the controls (false) or the controls to the fields (true).
    void UpdateData(bool saveAndValidate = true);

protected:
    // Default: the fields to the controls; answers true so the system sets the focus.
    virtual bool OnInitDialog();
    // Default: the controls to the fields, then EndDialog(IDOK). Run by the OK button.
    virtual void OnOK();
    // Default: EndDialog(IDCANCEL). Run by Cancel, Escape and the close box.
    virtual void OnCancel();
    // Lists the DDX_ calls that bind fields and controls.
    virtual void DoDataExchange(CDataExchange& dx);

    bool OnWndMsg(const Message& message, LRESULT& result) override;
    LRESULT DefaultProcessing(const Message& message) override;

    // Routes one message of a dialog window to the CDialog kept in its DWLP_USER slot.
    // `starting` is the object to keep there from WM_INITDIALOG on: each way of creating
    // dialogs reads it from that message's lParam in its own dialog procedure.
    static INT_PTR RouteMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                CDialog* starting);

private:
    // The procedure of DoModal's dialogs, whose WM_INITDIALOG carries the CDialog.
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    const UINT m_templateId;
    // The message whose default processing runs now: DefDlgProcW first offers it to the
    // dialog procedure again, which must then decline it.
    const Message* m_defaulting = nullptr;
};
