#pragma once
#include <windows.h>

#include "profile/filter_add_dialog.h"
#include "ui/skinned_dialog_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// "Add Filter": the pattern, description and type of one new filter.
class CFilterAddDialog : public CSkinnedDialog {
public:
    static const RuntimeClass kRuntimeClass;
    CFilterAddDialog();
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Runs the dialog modally over `owner`. `values` is written only when the
    // user clicks an enabled OK; every other way out leaves it as it was.
    INT_PTR Run(HWND owner, FilterDialogValues& values);

    const FilterAddDialogModel& Model() const { return model_; }

protected:
    BOOL OnInitDialog() override;
    // Enter closes the dialog like Cancel: only a click on OK hands values back.
    void OnOK() override { OnCancel(); }

private:
    using Map = MessageMap<CFilterAddDialog>;
    static const Map kMap[];

    void OnTypeChosen(int radioId);
    void OnPatternChanged();
    void OnDescriptionChanged();
    void OnOkClicked();

    FilterAddDialogModel model_;
    FilterDialogValues* values_ = nullptr;
};

}  // namespace velnor
