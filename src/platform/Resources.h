#pragma once

// Registers the pictures compiled into the program (the library is static,
// so its resources are not registered by themselves).
void initResources();
