# Build step of brannock_add_game: copies the contents of a game's data
# folder (DATA) to where the program looks for them when started in its own
# folder (PROGRAM_DIR). A program started in a folder named Debug or Release,
# in any letter case, works in the parent folder, so they go there instead.
get_filename_component(folder "${PROGRAM_DIR}" NAME)
string(TOUPPER "${folder}" folder)
if(folder STREQUAL "DEBUG" OR folder STREQUAL "RELEASE")
    get_filename_component(PROGRAM_DIR "${PROGRAM_DIR}" DIRECTORY)
endif()
# Files whose copy is up to date (same time stamp) are skipped.
file(COPY "${DATA}/" DESTINATION "${PROGRAM_DIR}")
