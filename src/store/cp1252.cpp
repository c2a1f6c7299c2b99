#include "store/cp1252.h"
// placeholder until the store engine lands
