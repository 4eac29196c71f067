# Compile settings shared by every target of the project.
add_library(tes_options INTERFACE)
target_compile_features(tes_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(tes_options INTERFACE -Wall -Wextra -Wpedantic)
if(TES_WERROR)
    target_compile_options(tes_options INTERFACE -Werror)
endif()
target_compile_definitions(tes_options INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CONTEXTLESS_CONNECT)
if(TES_SANITIZE)
    target_compile_options(tes_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
    target_link_options(tes_options INTERFACE -fsanitize=address,undefined)
endif()
