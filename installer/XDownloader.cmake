# The outside engine's adapter shares the engine's interface header with the stand-in engine.
target_include_directories(installer PUBLIC ${CMAKE_SOURCE_DIR}/standins/xldl)
