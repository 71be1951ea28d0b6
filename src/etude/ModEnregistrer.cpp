#include "etude/ModEnregistrer.h"
// Implementation in progress.
