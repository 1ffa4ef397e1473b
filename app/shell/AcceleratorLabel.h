#pragma once
// Accelerator labels for numbered menu entries: "(&A)" ... "(&Z)" for 0 ... 25,
// then "(&1)" ... "(&9)" and "(&0)" for 26 ... 35; empty for anything else.
// Any thread.

#include <QString>

QString AcceleratorLabel(int index);
