# Files of the references layer (paths relative to this folder)
target_sources(qvtrnsfr PRIVATE
)
