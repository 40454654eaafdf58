// The connection check lives apart from the WinHTTP client: wininet.h and
// winhttp.h cannot be included together.
#include <windows.h>
#include <wininet.h>

#include "platform/win32/http_client_win32.h"

namespace vexa::win32 {

bool Win32ConnectionCheck::IsInternetConnected() {
  DWORD flags = 0;
  return InternetGetConnectedState(&flags, 0) != FALSE;
}

}  // namespace vexa::win32
