#include "app/scene.h"
