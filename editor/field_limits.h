#pragma once

// The window's length limits and ranges live with the field catalogue, which names them per field.
#include "model/field_limits.h"
