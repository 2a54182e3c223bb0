# Robustness: the read-only guarantee and the damaged inputs kept as regressions. Both run the real programs
# on real, generated and damaged databases.
veltrane_add_test(TestReadOnly SOURCES TestReadOnly.cpp LIBS veltrane_damage_lib veltrane_schema)
add_dependencies(TestReadOnly veltrane-cli veltrane-reader)
veltrane_add_test(TestDamagedRegressions SOURCES TestDamagedRegressions.cpp
                  LIBS veltrane_damage_lib veltrane_schema)
add_dependencies(TestDamagedRegressions veltrane-cli veltrane-reader)
