#include "platform/popup_menu.h"

#include "platform/ids.h"

const FixedMenuItem kFixedMenuItems[kFixedMenuItemCount] = {
    {IDM_CLEAR, "画面ｸﾘｱ"}, {IDM_SETUP, "設定..."}, {IDM_HELP, "ﾍﾙﾌﾟ"},
    {0, nullptr},           {IDM_QUIT, "常駐終了"},
};
