#pragma once

// The ids of the Windows programs' resources, read both by the resource
// script (resources/rivetbay.rc.in) and by the code that loads them; the
// resource compiler understands only macros.

// Explorer shows a program's first icon, in id order, as the program's own;
// 128 is where resource tools begin numbering.
#define RIVETBAY_APP_ICON 128
// The system menu's "&About Rivetbay", a string resource so that it can be
// translated with the program's other resources.
#define RIVETBAY_ABOUT_TEXT 101
