#pragma once

class QLineEdit;

// Makes a password edit show "#" for every character typed.
void showHashes(QLineEdit *edit);
