#include "draw/paint/jpeg_file.h"
// Placeholder until the JPEG writer lands.
