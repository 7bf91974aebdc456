# Files of the platform layer (paths relative to this folder)
target_sources(qvtrnsfr PRIVATE
)
