#include "platform/seam.h"

Seam g_seam;
