# Each folder of src/ builds a logic library from its own .cpp files (QtCore
# only) and, unless only the logic is built, a widget library from ui/*.cpp.
# Sources are globbed, so adding a file needs no edit here.

function(kyr_logic_library NAME DIR)
  file(GLOB SRCS CONFIGURE_DEPENDS ${DIR}/*.cpp)
  if(SRCS)
    add_library(${NAME} STATIC ${SRCS})
    target_include_directories(${NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${NAME} PUBLIC Qt6::Core ${ARGN})
  else()
    add_library(${NAME} INTERFACE)
    target_include_directories(${NAME} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${NAME} INTERFACE Qt6::Core ${ARGN})
  endif()
endfunction()

function(kyr_ui_library NAME DIR)
  file(GLOB SRCS CONFIGURE_DEPENDS ${DIR}/ui/*.cpp ${DIR}/ui/*.h ${DIR}/ui/*.qrc)
  list(FILTER SRCS EXCLUDE REGEX ".*/main\\.cpp$")
  set(HAS_CPP FALSE)
  foreach(S ${SRCS})
    if(S MATCHES "\\.cpp$")
      set(HAS_CPP TRUE)
    endif()
  endforeach()
  if(HAS_CPP)
    add_library(${NAME} STATIC ${SRCS})
    target_include_directories(${NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${NAME} PUBLIC Qt6::Widgets Qt6::PrintSupport ${ARGN})
  else()
    add_library(${NAME} INTERFACE)
    target_link_libraries(${NAME} INTERFACE Qt6::Widgets Qt6::PrintSupport ${ARGN})
  endif()
endfunction()

# One GoogleTest executable per test folder; every test case becomes a CTest
# test, discovered when the tests run (not at build time, which has no display).
function(kyr_test NAME DIR)
  file(GLOB SRCS CONFIGURE_DEPENDS ${DIR}/*.cpp)
  if(NOT SRCS)
    return()
  endif()
  # ARGV2 is the file holding main(); the remaining arguments are libraries.
  set(LIBS ${ARGN})
  list(POP_FRONT LIBS)
  add_executable(${NAME} ${SRCS} ${ARGV2})
  target_link_libraries(${NAME} PRIVATE GTest::gtest ${LIBS})
  target_include_directories(${NAME} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  # The tests open the program's modules where the build puts them.
  target_compile_definitions(${NAME} PRIVATE KYR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
                             KYR_DOSSIER_MODULES="${KYR_DOSSIER_MODULES}"
                             KYR_VALIDATEUR="${KYR_VALIDATEUR}")
  gtest_discover_tests(${NAME} DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
