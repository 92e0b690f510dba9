#pragma once
// Placeholder until the delimited text reader lands; the real class replaces this file.
#error "Cls_CSVSeparater is not merged yet"
