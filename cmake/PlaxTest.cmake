# plax_add_test(<name> SOURCES <files...> [LIBS <targets...>] [XVFB] [BENCHMARK] [TIMEOUT <s>])
#
# One executable and one ctest entry per test. Every test gets the label
# "headless" (runs offscreen), "xvfb" (needs a real X server: 3D views and the
# whole program) or "benchmark" (not part of the normal test run; offscreen unless
# XVFB is given too).
function(plax_add_test name)
    cmake_parse_arguments(T "XVFB;BENCHMARK" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE plax_testsupport Qt6::Test ${T_LIBS})
    add_test(NAME ${name} COMMAND ${name})
    set(env "QTWEBENGINE_DISABLE_SANDBOX=1" "PLAX_TEST_BINARY_DIR=${CMAKE_BINARY_DIR}"
            "PLAX_SHARED_DIR=${PROJECT_SOURCE_DIR}/../shared"
            "PLAX_HOME_PAGE=about:blank"
            # Nothing listens there: the converter's rate download fails at once, offline.
            "PLAX_RATES_URL=http://127.0.0.1:9/stats/eurofxref/eurofxref-daily.xml"
            # The GPS map stays offline: no tiles, a fixed IP location answer, no Baidu.
            "PLAX_MAP_TILES=http://127.0.0.1:9/{z}/{x}/{y}.png"
            "PLAX_IP_LOCATION_URL=data:application/json,%7B%22status%22%3A%22success%22%2C%22lat%22%3A39.915%2C%22lon%22%3A116.404%2C%22city%22%3A%22Test%22%7D"
            "PLAX_BAIDU_MAP_URL=http://127.0.0.1:9/getscript")
    if(T_BENCHMARK)
        # A benchmark marked XVFB measures the whole window on a real X server (3D views).
        set(label benchmark)
        if(NOT T_XVFB)
            list(APPEND env "QT_QPA_PLATFORM=offscreen")
        endif()
    elseif(T_XVFB)
        set(label xvfb)
    else()
        set(label headless)
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS ${label} ENVIRONMENT "${env}" TIMEOUT ${T_TIMEOUT})
endfunction()
