#include "EditorTest.h"
