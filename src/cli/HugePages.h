#pragma once

// Lets the kernel back the heap with huge pages, for a process that builds a large model once and ends. Call
// it first thing in main, before anything else allocates much.
void preferHugePages();
