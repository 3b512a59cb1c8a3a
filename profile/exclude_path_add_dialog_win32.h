#pragma once
#include <windows.h>

#include <string>

#include "platform/prompts.h"
#include "profile/exclude_path_add_dialog.h"
#include "profile/filter_add_dialog_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// "Add exclude path": one folder pattern that the scan is not to enter, typed
// or picked with the folder chooser.
class CExcludePathAddDialog : public CSkinnedDialog {
public:
    static const RuntimeClass kRuntimeClass;
    CExcludePathAddDialog();
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Runs the dialog modally over `owner`; Browse asks `prompts` for a folder.
    // `value` is written only when the user clicks an enabled OK.
    INT_PTR Run(HWND owner, IPrompts* prompts, std::string& value);

    const ExcludePathAddDialogModel& Model() const { return model_; }

protected:
    BOOL OnInitDialog() override;
    // Enter closes the dialog like Cancel: only a click on OK hands the value back.
    void OnOK() override { OnCancel(); }

private:
    using Map = MessageMap<CExcludePathAddDialog>;
    static const Map kMap[];

    void OnPathChanged();
    void OnBrowse();
    void OnOkClicked();

    ExcludePathAddDialogModel model_;
    IPrompts* prompts_ = nullptr;
    std::string* value_ = nullptr;
};

}  // namespace velnor
