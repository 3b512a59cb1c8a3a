#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ui/gdi_handles_win32.h"
#include "ui/header_ctrl_win32.h"
#include "ui/list_model.h"
#include "ui/list_view_redraw_win32.h"
#include "ui/window_win32.h"

namespace velnor {

// The one list control of the program: a report list view with owner data
// (LVS_OWNERDATA) that displays a CheckListModel. The list view keeps no rows:
// it asks the model for the texts, images and check boxes of the rows it
// paints. Check boxes and selections the user changes go back into the model.
class CMyListCtrlEx : public CWindow, private ListObserver {
public:
    static const RuntimeClass kRuntimeClass;
    CMyListCtrlEx() = default;
    ~CMyListCtrlEx() override;
    const RuntimeClass* GetRuntimeClass() const override { return &kRuntimeClass; }
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PreSubclassControl() override;
    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

    // Shows a model; the model must outlive the binding.
    void Bind(CheckListModel* model);
    CheckListModel* Model() const { return model_; }
    CMyHeaderCtrlEx& Header() { return header_; }
    // The dialog's display scale changed: images drawn for it, columns resized.
    void OnScaleChanged();

private:
    void OnColumnsChanged() override;
    void OnRowsReset() override;
    void OnRowsAppended(int first, int count) override;
    void OnRowChanged(int row) override;
    void OnHeaderChanged() override;

    void ShowSelection();
    void ShowRowCount();
    template <typename Item>
    void FillItem(Item& item);
    void OnItemChanged(const NMLISTVIEW& change);
    int CheckBoxAt(int x, int y);
    CheckStrip CheckStripNow();
    void TakeCheckFromView(int row, const LVITEMA* item);
    void ToggleAfterDefault(int row, LRESULT& result);

    CheckListModel* model_ = nullptr;
    CMyHeaderCtrlEx header_;
    UniqueImageList rowImages_;
    UniqueImageList headerImages_;
    int rowImagesId_ = 0;
    int headerImagesId_ = 0;
    int imagesPercent_ = 100;  // the display scale of the images and columns
    int syncing_ = 0;  // set while the control is changed from the model
    // Rows appended to the model that the list view's count does not hold yet.
    bool countBehind_ = false;
    DWORD countShown_ = 0;
    bool countTimer_ = false;
    ListViewRedraw redraw_;
};

}  // namespace velnor
