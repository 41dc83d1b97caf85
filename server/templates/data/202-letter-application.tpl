# Pennova writing template (our own text)
id: 202
kind: high
category: 书信|Letters
name: 求职申请信|Letter of application for a job
description: 适用于申请工作、实习或志愿者岗位的书信。说明从何处得知岗位，介绍自己的条件和经历，表达面试意愿。
title: Application for the Position of [标题中的职位，如 Sales Assistant] || 申请[标题中的职位，如 Sales Assistant]一职

[block]
Dear [收信人，如 Mr. Smith], || 尊敬的[收信人，如 Mr. Smith]：

[block]
I am writing to apply for the position of [职位，如 sales assistant] that I saw on [来源，如 your company website]. || 我写信申请我在[来源，如 your company website]上看到的[职位，如 sales assistant]一职。
I am a [年级，如 third-year] student majoring in [专业，如 business English] at [学校，如 Peking University]. || 我是[学校，如 Peking University][专业，如 business English]专业的[年级，如 third-year]学生。
[alternative]
I learned from [来源，如 a friend] that your company needs a [职位，如 sales assistant]. || 我从[来源，如 a friend]那里得知贵公司需要一名[职位，如 sales assistant]。
I believe I am a good fit for this job. || 我相信我很适合这份工作。

[block]
I think I am qualified for the job for several reasons. || 我认为自己能够胜任这份工作，原因有几点。
To begin with, [优势，如 I speak fluent English and some French]. || 首先，[优势，如 I speak fluent English and some French]。
In addition, I worked as [经历，如 a part-time shop assistant] last summer. || 此外，去年夏天我做过[经历，如 a part-time shop assistant]。
This experience taught me [收获，如 how to communicate with customers]. || 这段经历教会了我[收获，如 how to communicate with customers]。
[alternative]
During my time at university, I have done well in my studies. || 在大学期间，我学业优秀。
I also took part in [活动，如 the student union], where I learned to work in a team. || 我还参加了[活动，如 the student union]，在那里学会了团队合作。

[block]
I have attached my resume for your reference. || 随信附上我的简历供您参考。
I would be glad to have an interview at any time that suits you. || 我很乐意在您方便的任何时间参加面试。
You can reach me at [电话，如 138 0000 0000]. || 您可以拨打[电话，如 138 0000 0000]联系我。

[block]
Thank you for your time. || 感谢您抽出时间。
I look forward to hearing from you. || 期待您的回复。

[block]
Yours sincerely, \n || 此致敬礼，\n
[姓名，如 Li Hua] || [姓名，如 Li Hua]

[common]
I am very interested in this position. || 我对这个职位非常感兴趣。
I am a hard-working and responsible person. || 我是一个勤奋负责的人。
I am good at working with others. || 我善于与人合作。
I have a good command of English. || 我精通英语。
I am willing to learn new things. || 我乐于学习新事物。
I can start work at the beginning of next month. || 我可以从下个月初开始工作。
I would welcome the chance to discuss my application with you. || 我很希望有机会和您讨论我的申请。
Please find my resume in the attachment. || 请查收附件中的简历。
