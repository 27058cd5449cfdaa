/* Dialog templates that only the tests use. */
#define IDD_TEST_PROBE   9001
#define IDD_TEST_PAGE1   9002
#define IDD_TEST_PAGE2   9003
#define IDD_TEST_HOST    9004
#define IDC_TEST_EDIT    9101
#define IDC_TEST_BUTTON  9102
#define IDC_TEST_NUMBER  9103
