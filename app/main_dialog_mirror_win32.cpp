#include "app/main_dialog_mirror_win32.h"

#include <algorithm>

#include <commctrl.h>

#include "app/main_dialog_layout.h"
#include "res/resource.h"
#include "scan/utf8.h"

namespace velnor {

MainDialogMirror::~MainDialogMirror() {
    CheckListModel* const lists[] = {&parts_.lists.locations, &parts_.lists.filters, &parts_.lists.exclusions,
                                     &parts_.results};
    for (CheckListModel* model : lists) model->SetObserver(nullptr);
    parts_.controls.SetObserver(nullptr);
}

CMyListCtrlEx& MainDialogMirror::ListControl(int id) {
    switch (id) {
    case IDC_LOCATION_LIST:
        return locationList_;
    case IDC_FILTER_LIST:
        return filterList_;
    case IDC_EXCLUDE_LIST:
        return exclusionList_;
    default:
        return resultList_;
    }
}

CBitmapPic* MainDialogMirror::Picture(int id) {
    auto it = pictures_.find(id);
    return it == pictures_.end() ? nullptr : it->second.get();
}

void MainDialogMirror::BindControls() {
    HWND hwnd = dialog_.Hwnd();
    // The template's texts are what the model starts from.
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char text[512] = {};
        ::GetWindowTextA(child, text, sizeof text);
        parts_.controls.Seed(::GetDlgCtrlID(child), Utf8Prefix(text, sizeof text - 1));
    }
    for (const PictureButton& button : PictureButtons()) {
        const int id = button.id;
        std::unique_ptr<CBitmapPic> picture = button.kind == PictureKind::PicEx ? std::make_unique<CBitmapPicEx>()
                                                                                : std::make_unique<CBitmapPic>();
        if (picture->Attach(hwnd, id, parts_.controls)) pictures_.emplace(id, std::move(picture));
    }
    locationList_.SubclassDlgItem(IDC_LOCATION_LIST, hwnd);
    filterList_.SubclassDlgItem(IDC_FILTER_LIST, hwnd);
    exclusionList_.SubclassDlgItem(IDC_EXCLUDE_LIST, hwnd);
    resultList_.SubclassDlgItem(IDC_RESULT_LIST, hwnd);
    locationList_.Bind(&parts_.lists.locations);
    filterList_.Bind(&parts_.lists.filters);
    exclusionList_.Bind(&parts_.lists.exclusions);
    resultList_.Bind(&parts_.results);
    statusLine_.SubclassDlgItem(IDC_CLEAN_STATUS, hwnd);
    parts_.controls.SetObserver([this](int id, unsigned changes) { ApplyControl(id, changes); });
    homeLinkLabel_.Attach(hwnd, IDC_HOME_LINK, &parts_.about.homeLink, platform_.shell);
    supportLinkLabel_.Attach(hwnd, IDC_SUPPORT_LINK, &parts_.about.supportLink, platform_.shell);
}

void MainDialogMirror::OnScaleChanged() {
    for (const auto& control : parts_.controls.All())
        ApplyControl(control.first, (control.second.placed ? kPlacementChanged : 0u) | kPictureChanged);
    for (CMyListCtrlEx* list : {&locationList_, &filterList_, &exclusionList_, &resultList_}) list->OnScaleChanged();
}

void MainDialogMirror::ApplyControl(int id, unsigned changes) {
    if (ScanPage::IsScanText(id) && changes == kTextChanged && parts_.state.scanState == kScanRunning) {
        // Setting a window's text costs more than scanning a small folder, and
        // nothing is painted inside a folder anyway.
        if (std::find(pendingScanTexts_.begin(), pendingScanTexts_.end(), id) == pendingScanTexts_.end())
            pendingScanTexts_.push_back(id);
        // The status line changes as a folder begins, when the totals of the
        // folders before it are complete, so the texts shown always agree.
        if (id == IDC_SCAN_STATUS && ::GetTickCount() - scanTextsShown_ >= kScanTextInterval) ShowScanTexts();
        return;
    }
    if (!pendingScanTexts_.empty()) ShowScanTexts();

    HWND control = dialog_.Item(id);
    if (!control) return;
    const ControlState& state = parts_.controls.StateOf(id);
    if (changes & kPlacementChanged) {
        // Client co-ordinates: the window has no frame.
        const Placement& p = state.placement;
        const DisplayScale& scale = dialog_.Scale();
        ::SetWindowPos(control, nullptr, scale.Px(p.x), scale.Px(p.y), scale.Px(p.width), scale.Px(p.height),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(control, nullptr, TRUE);
    }
    if ((changes & kTabOrderChanged) && state.tabAfter != 0) {
        if (HWND previous = dialog_.Item(state.tabAfter))
            ::SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    if (changes & kPictureChanged) {
        if (CBitmapPic* picture = Picture(id)) picture->ShowPicture(state.shownPicture);
    }
    if (changes & kTooltipChanged) {
        if (CBitmapPic* picture = Picture(id)) picture->SetTooltip(state.tooltip);
    }
    if (changes & kTextChanged) ApplyText(id, control);
    if (changes & kVisibilityChanged) {
        ::ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
        // A hidden control keeps the focus, and the keyboard with it, unless
        // the focus moves on to a control that can still be seen.
        if (!state.visible && ::GetFocus() == control) ::SendMessageA(dialog_.Hwnd(), WM_NEXTDLGCTL, 0, FALSE);
    }
    if (changes & kProgressChanged) {
        ::SendMessageA(control, PBM_SETRANGE32, state.rangeMin, state.rangeMax);
        ::SendMessageA(control, PBM_SETPOS, state.position, 0);
    }
}

void MainDialogMirror::ApplyText(int id, HWND control) {
    const std::string& text = parts_.controls.StateOf(id).text;
    if (id == IDC_CLEAN_STATUS)
        statusLine_.SetLabelText(text);
    else
        ::SetWindowTextA(control, text.c_str());
}

void MainDialogMirror::ShowScanTexts() {
    scanTextsShown_ = ::GetTickCount();
    if (pendingScanTexts_.empty()) return;
    std::vector<int> ids;
    ids.swap(pendingScanTexts_);
    for (int id : ids)
        if (HWND control = dialog_.Item(id)) ApplyText(id, control);
}

}  // namespace velnor
