# Builds the two probes of tests/CMakeLists.txt: the allowed include must compile, the forbidden
# one must fail, and fail because its header cannot be found (not for some other reason).
foreach(probe includes_common includes_config)
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD_DIR} --target layer_probe_${probe}
                  RESULT_VARIABLE result_${probe} OUTPUT_VARIABLE output_${probe} ERROR_VARIABLE output_${probe})
endforeach()
if(NOT result_includes_common EQUAL 0)
  message(FATAL_ERROR "The allowed include did not build:\n${output_includes_common}")
endif()
if(result_includes_config EQUAL 0)
  message(FATAL_ERROR "The device library could include config/record.h: the layers are not enforced")
endif()
if(NOT output_includes_config MATCHES "config/record.h: No such file or directory|'config/record.h' file not found")
  message(FATAL_ERROR "The forbidden include failed for another reason:\n${output_includes_config}")
endif()
message(STATUS "config/record.h cannot be included from the device library")
