#include "app/app_context.h"

#include "resources/resource_ids.h"

namespace vexa::app {

AppContext::AppContext() {
  log = std::make_unique<ActivityLog>(files, clock, env.AppFolder());
  HINSTANCE inst = GetModuleHandleW(nullptr);
  icon = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                       GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  smallIcon = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                            LR_DEFAULTCOLOR));
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  if (!smallIcon) smallIcon = icon;
}

bool AnotherCopyRuns(AppContext& app) {
  if (app.anotherCopy < 0) {
    // One copy per logon session; the mutex lives until the process ends.
    // A copy running as administrator holds a mutex this one may not open:
    // refused counts as taken.
    app.instanceMutex = CreateMutexW(nullptr, FALSE, L"Local\\VexaUtility.SingleCopy.7f3c2a");
    const DWORD error = GetLastError();
    const bool taken = app.instanceMutex ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    app.anotherCopy = taken ? 1 : 0;
  }
  return app.anotherCopy == 1;
}

}  // namespace vexa::app
