#include "platform/accelerators.h"

#include "platform/ids.h"
#include "platform/virtual_keys.h"

const Accelerator kAccelerators[kAcceleratorCount] = {
    {"Ctrl+0", '0', kModCtrl, ID_HEX_PREFIX},    {"Ctrl+9", '9', kModCtrl, ID_BIN_PREFIX},
    {"Ctrl+A", 'A', kModCtrl, ID_TYPE_ANS},      {"Alt+C", 'C', kModAlt, ID_TEMPLATE_COS},
    {"Ctrl+D", 'D', kModCtrl, ID_RETYPE_CTRL_D}, {"Ctrl+K", 'K', kModCtrl, ID_PREVIOUS_OPERATOR},
    {"Ctrl+L", 'L', kModCtrl, ID_NEXT_OPERATOR}, {"Alt+L", 'L', kModAlt, ID_TEMPLATE_LN},
    {"Ctrl+P", 'P', kModCtrl, ID_PARENTHESES},   {"Alt+R", 'R', kModAlt, ID_TEMPLATE_SQRT},
    {"Alt+S", 'S', kModAlt, ID_TEMPLATE_SIN},    {"Alt+T", 'T', kModAlt, ID_TEMPLATE_TAN},
    {"Ctrl+U", 'U', kModCtrl, ID_CLEAR_INPUT},   {"F3", kVkF3, 0, ID_RETYPE_F3},
};
