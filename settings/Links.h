#pragma once

// The maker's web page and e-mail, handed to the desktop's opener, which
// starts the browser or the mail program and returns at once.

namespace vorni {

void OpenWebPage();
void OpenEmail();

} // namespace vorni
