# Building C and assembler for the sign's chip, the ATmega8, with avr-gcc.
find_program(AVR_GCC avr-gcc)
find_program(AVR_OBJCOPY avr-objcopy)
find_program(AVR_NM avr-nm)
if(NOT AVR_GCC OR NOT AVR_OBJCOPY OR NOT AVR_NM)
    message(FATAL_ERROR "avr-gcc, avr-objcopy and avr-nm are needed to build the sign engine "
                        "(Debian packages gcc-avr, binutils-avr and avr-libc)")
endif()

# corvane_add_avr_image(<name> SOURCES <file>... [DEPENDS <file>...])
#
# Builds <name>.elf for the ATmega8 from the sources and, beside it in the
# current binary folder, its flash image <name>.bin (from address 0), the
# same as Intel HEX <name>.hex and its symbols <name>.sym (avr-nm); the
# target <name> builds them all. Sets <name>_BIN, <name>_HEX and
# <name>_SYMBOLS to their paths in the caller's scope. The sources include
# firmware/ headers by name ("SignLayout.h", which also gives F_CPU); a change
# to them, or to a file listed in DEPENDS, rebuilds the image.
function(corvane_add_avr_image name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;DEPENDS")
    if(NOT arg_SOURCES)
        message(FATAL_ERROR "corvane_add_avr_image(${name}) needs SOURCES")
    endif()
    set(sources)
    foreach(source IN LISTS arg_SOURCES)
        cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
        list(APPEND sources ${source})
    endforeach()
    set(firmware_dir ${PROJECT_SOURCE_DIR}/firmware)
    set(elf ${CMAKE_CURRENT_BINARY_DIR}/${name}.elf)
    set(bin ${CMAKE_CURRENT_BINARY_DIR}/${name}.bin)
    set(hex ${CMAKE_CURRENT_BINARY_DIR}/${name}.hex)
    set(symbols ${CMAKE_CURRENT_BINARY_DIR}/${name}.sym)

    add_custom_command(
        OUTPUT ${elf}
        COMMAND ${AVR_GCC} -mmcu=atmega8 -Os -std=c11 -Wall -Wextra -Werror
                -ffunction-sections -fdata-sections -Wl,--gc-sections
                -I${firmware_dir} ${sources} -o ${elf}
        DEPENDS ${sources} ${firmware_dir}/SignLayout.h ${arg_DEPENDS}
        COMMENT "Building ${name} for the ATmega8"
        VERBATIM)
    add_custom_command(
        OUTPUT ${bin} ${hex} ${symbols}
        COMMAND ${AVR_OBJCOPY} -O binary -j .text -j .data ${elf} ${bin}
        COMMAND ${AVR_OBJCOPY} -O ihex -j .text -j .data ${elf} ${hex}
        COMMAND ${AVR_NM} ${elf} > ${symbols}
        DEPENDS ${elf}
        VERBATIM)
    add_custom_target(${name} DEPENDS ${bin} ${hex} ${symbols})

    set(${name}_BIN ${bin} PARENT_SCOPE)
    set(${name}_HEX ${hex} PARENT_SCOPE)
    set(${name}_SYMBOLS ${symbols} PARENT_SCOPE)
endfunction()
