#pragma once
// The drawings paint through the form's canvas interface.

#include "model/canvas.h"
