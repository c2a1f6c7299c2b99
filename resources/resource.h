#pragma once
// Resource ids, by kind: icons 100-199, bitmaps 200-299, dialogs 300-399, strings 400-499.
#define IDI_VELUMBRINO 100
