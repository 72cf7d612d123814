#pragma once
// Registers the text blocks of every window that has its own, before the table is built.

void Register_Lang_Sources();
