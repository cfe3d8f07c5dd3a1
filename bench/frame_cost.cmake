# Frame-cost benchmark (bench/frame_cost.sh runs it).
add_executable(frame_cost ${CMAKE_CURRENT_LIST_DIR}/frame_cost.cpp ${CMAKE_CURRENT_LIST_DIR}/frame_cost_replay.cpp)
target_link_libraries(frame_cost PRIVATE orchardia_core orchardia_platform)
