#pragma once

#include "dialogkit/rich_edit_ctrl.h"

// A read-only rich edit field whose web and "mailto:" addresses open with the shell
// when clicked with the left button.
class CUrlCtrl : public CRichEditCtrl {
protected:
    void PreSubclassWindow() override;
    MessageMap GetMessageMap() const override;

private:
    void OnLink(NMHDR* header, LRESULT* result);
};
