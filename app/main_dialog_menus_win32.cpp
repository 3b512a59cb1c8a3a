#include "app/main_dialog_win32.h"

namespace velnor {
// Placeholder until the cookie cleaner, the menus and the help land.
void CMainDialog::OnCookiesCleaner() {}
void CMainDialog::ShowSystemMenu() {}
void CMainDialog::ShowHelpMenu() {}
void CMainDialog::OnUserManual() {}
LRESULT CMainDialog::OnDrawItem(WPARAM, LPARAM) { return Default(); }
LRESULT CMainDialog::OnMeasureItem(WPARAM, LPARAM) { return Default(); }
LRESULT CMainDialog::OnHelp(WPARAM, LPARAM) { return Default(); }
}  // namespace velnor
