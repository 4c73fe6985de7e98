#pragma once
// `fernhollow --results --export N OUT.png`: the analysis picture of a
// stored run, made without a window. The run's course code makes its
// terrain, course and map again, and its fastest routes are worked out here.
#include <cstdint>
#include <ostream>
#include <string>

// Writes the picture of run `runId` of the results database at
// `databasePath` to `outPath` with the font picture at `fontPath`. Returns
// 0 after saying so on `out`, or 1 after one line on `err` saying why not.
int exportAnalysis(const std::string& databasePath, int64_t runId, const std::string& outPath,
                   const std::string& fontPath, std::ostream& out, std::ostream& err);
